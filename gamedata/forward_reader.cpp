#include "gamedata/forward_reader.h"

#include <algorithm>

#include "services/file_stream.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

// A small file needs no full window: filling a megabyte for a few hundred
// bytes would cost more than reading them. A size that cannot be told (0)
// gets the full window.
size_t WindowSizeFor(FileStream& file) {
    constexpr size_t kSmallest = 64;
    const uint32_t size = file.Size();
    const uint32_t position = file.Position();
    if (size == 0 || position > size) return ForwardReader::kWindowSize;
    return std::clamp<size_t>(size - position, kSmallest, ForwardReader::kWindowSize);
}

}  // namespace

ForwardReader::ForwardReader(FileStream& file)
    : file_(file), windowSize_(WindowSizeFor(file)), window_(std::make_unique_for_overwrite<uint8_t[]>(windowSize_)) {}

bool ForwardReader::Skip(size_t count) {
    if (Peek(count).size() < count) return false;
    begin_ += count;
    position_ += count;
    return true;
}

bool ForwardReader::TakeAcrossWindow(size_t count, std::vector<uint8_t>& block) {
    size_t here = std::min(count, end_ - begin_);
    block.reserve(count);
    block.assign(window_.get() + begin_, window_.get() + begin_ + here);
    begin_ += here;
    position_ += here;
    block.resize(count);
    if (count - here >= windowSize_) {
        if (!ReadFully(file_, block.data() + here, count - here)) return false;
        Hash(block.data() + here, count - here);
        position_ += count - here;
        return true;
    }
    while (here < count) {
        if (!Refill()) return false;
        const size_t part = std::min(count - here, end_ - begin_);
        std::copy_n(window_.get() + begin_, part, block.begin() + static_cast<std::ptrdiff_t>(here));
        begin_ += part;
        position_ += part;
        here += part;
    }
    return true;
}

bool ForwardReader::Refill() {
    std::copy(window_.get() + begin_, window_.get() + end_, window_.get());
    end_ -= begin_;
    begin_ = 0;
    const int got = file_.Read(window_.get() + end_, static_cast<int>(windowSize_ - end_));
    if (got <= 0) return false;
    Hash(window_.get() + end_, static_cast<size_t>(got));
    end_ += static_cast<size_t>(got);
    return true;
}

void ForwardReader::Hash(const uint8_t* bytes, size_t count) {
    read_.Crc = Crc32c(bytes, count, read_.Crc);
    read_.Size += count;
}

}  // namespace pellwise
