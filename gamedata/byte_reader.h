#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pellwise {

// Little-endian reads from a byte span at explicit offsets. Every read goes
// through one bound check; a read that would leave the span yields 0 and
// clears the sticky ok flag, so damaged data can never make a reader step
// outside its buffer.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    bool Ok() const { return ok_; }
    bool Fits(uint64_t offset, uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }

    uint16_t U16(uint64_t offset) {
        if (!Check(offset, 2)) return 0;
        const uint8_t* p = bytes_.data() + offset;
        return static_cast<uint16_t>(p[0] | p[1] << 8);
    }

    uint32_t U32(uint64_t offset) {
        if (!Check(offset, 4)) return 0;
        const uint8_t* p = bytes_.data() + offset;
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
               static_cast<uint32_t>(p[3]) << 24;
    }

private:
    bool Check(uint64_t offset, uint64_t count) {
        if (!Fits(offset, count)) ok_ = false;
        return ok_ && Fits(offset, count);
    }

    std::span<const uint8_t> bytes_;
    bool ok_ = true;
};

inline void PutU16(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace pellwise
