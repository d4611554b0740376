#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace pellwise {

// The hash of the in-memory look-ups of names and texts, which hash every
// chunk of a scene and every text of the database on each load: inline, and
// eight bytes a step with loads of fixed size (the last one overlapping),
// where the library's hash is a call that takes a byte at a time. Every bit
// of the result depends on every byte; the tables use the low bits. Never
// stored, so it may change between versions.
inline uint32_t HashText(std::string_view text) {
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    const char* p = text.data();
    size_t n = text.size();
    uint64_t h = n * kMultiplier;
    const auto mix = [&h](uint64_t word) {
        h = (h ^ word) * kMultiplier;
        h ^= h >> 32;
    };
    const auto load = [](const char* at, size_t size) {
        uint64_t word = 0;
        std::memcpy(&word, at, size);  // a constant size: one load
        return word;
    };
    if (n >= 8) {
        for (; n > 8; p += 8, n -= 8) mix(load(p, 8));
        mix(load(p + n - 8, 8));
    } else if (n >= 4) {
        mix(load(p, 4) | load(p + n - 4, 4) << 32);
    } else if (n > 0) {
        mix(static_cast<uint8_t>(p[0]) | static_cast<uint64_t>(static_cast<uint8_t>(p[n / 2])) << 8 |
            static_cast<uint64_t>(static_cast<uint8_t>(p[n - 1])) << 16);
    }
    // The last steps of MurmurHash3's 64-bit finish.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<uint32_t>(h);
}

}  // namespace pellwise
