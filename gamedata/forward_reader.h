#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "services/checksum.h"

namespace pellwise {

class FileStream;

// Reads a file front to back through a window of its bytes: the few bytes of
// a head can be looked at before they are taken, and a block is copied
// straight from the window, or read straight into its own memory when it is
// larger. Large reads keep the system calls few.
class ForwardReader {
public:
    // Few, large reads: a system call can cost microseconds (on virtual
    // machines above all), and a scene of a few MiB then comes in a handful.
    // The stream hands reads this large straight to the system.
    static constexpr size_t kWindowSize = 1024 * 1024;

    explicit ForwardReader(FileStream& file);

    // Bytes taken so far.
    uint64_t Position() const { return position_; }
    // The next `count` bytes, not taken; fewer where the file ends.
    std::span<const uint8_t> Peek(size_t count) {
        if (end_ - begin_ < count) Refill();
        return std::span<const uint8_t>(window_.get() + begin_, std::min(count, end_ - begin_));
    }
    // Takes the next `count` bytes and drops them; false when the file ends first.
    bool Skip(size_t count);
    // Takes the next `count` bytes into `block`; false when the file ends first.
    bool Take(size_t count, std::vector<uint8_t>& block) {
        if (count > end_ - begin_) return TakeAcrossWindow(count, block);
        // A chunk is usually in the window whole: one copy, no call.
        block.assign(window_.get() + begin_, window_.get() + begin_ + count);
        begin_ += count;
        position_ += count;
        return true;
    }
    // The size and CRC-32C of every byte read from the file so far (taken or
    // not): of the whole file once it has been read to its end.
    FileDigest Read() const { return read_; }

private:
    bool TakeAcrossWindow(size_t count, std::vector<uint8_t>& block);
    // Moves what is left to the front and fills the rest; false when nothing came.
    bool Refill();
    void Hash(const uint8_t* bytes, size_t count);

    FileStream& file_;
    size_t windowSize_;
    std::unique_ptr<uint8_t[]> window_;  // not cleared when made: only bytes read into it are used
    size_t begin_ = 0;
    size_t end_ = 0;
    uint64_t position_ = 0;
    FileDigest read_;
};

}  // namespace pellwise
