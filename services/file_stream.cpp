#include "services/file_stream.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "services/file_stream_platform.h"

namespace pellwise {

namespace {

// Large enough that a chunk reader's small reads rarely reach the system,
// small enough to be refilled cheaply after a seek out of the window.
constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

// The buffer is a window [bufferStart, bufferStart + bufferLength) of the
// file; `position` is where the caller stands, `filePosition` where the
// platform's file pointer stands. Seeks only move `position`; the platform
// pointer follows when bytes are next transferred.
struct FileStream::Impl {
    std::unique_ptr<PlatformFile> file;
    // Not cleared when made: every byte used has been read into it first.
    std::unique_ptr<uint8_t[]> buffer;
    uint64_t bufferStart = 0;
    size_t bufferLength = 0;
    uint64_t position = 0;
    uint64_t filePosition = 0;

    bool MoveFilePointer() {
        if (filePosition == position) return true;
        if (!file->SeekTo(position)) return false;
        filePosition = position;
        return true;
    }

    size_t BufferedAtPosition() const {
        if (position < bufferStart || position >= bufferStart + bufferLength) return 0;
        return static_cast<size_t>(bufferStart + bufferLength - position);
    }

    bool Refill() {
        bufferLength = 0;
        if (!MoveFilePointer()) return false;
        if (!buffer) buffer = std::make_unique_for_overwrite<uint8_t[]>(kBufferSize);
        const int got = file->Read(buffer.get(), static_cast<int>(kBufferSize));
        filePosition += static_cast<uint64_t>(got);
        bufferStart = position;
        bufferLength = static_cast<size_t>(got);
        return got > 0;
    }

    int ReadDirect(uint8_t* out, size_t n) {
        if (!MoveFilePointer()) return 0;
        const int got = file->Read(out, static_cast<int>(n));
        filePosition += static_cast<uint64_t>(got);
        position += static_cast<uint64_t>(got);
        return got;
    }
};

FileStream::FileStream(std::unique_ptr<PlatformFile> file) : impl_(std::make_unique<Impl>()) {
    impl_->file = std::move(file);
}

FileStream::FileStream(FileStream&&) noexcept = default;
FileStream& FileStream::operator=(FileStream&&) noexcept = default;
FileStream::~FileStream() = default;

FileStream FileStream::OpenForReading(const std::string& path) {
    return FileStream(PlatformFile::OpenForReading(path));
}

FileStream FileStream::OpenForWriting(const std::string& path, CreationMode mode) {
    return FileStream(PlatformFile::OpenForWriting(path, mode));
}

bool FileStream::IsOpen() const { return impl_ && impl_->file; }

int FileStream::Read(void* buffer, int n) {
    if (!IsOpen() || buffer == nullptr || n <= 0) return 0;
    Impl& s = *impl_;
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    const auto wanted = static_cast<size_t>(n);
    while (done < wanted) {
        const size_t available = s.BufferedAtPosition();
        if (available > 0) {
            const size_t take = std::min(available, wanted - done);
            std::memcpy(out + done, s.buffer.get() + (s.position - s.bufferStart), take);
            s.position += take;
            done += take;
            continue;
        }
        if (wanted - done >= kBufferSize) {
            // A large read goes straight into the caller's memory; it ends
            // the request whether or not the file had that many bytes.
            done += static_cast<size_t>(s.ReadDirect(out + done, wanted - done));
            break;
        }
        if (!s.Refill()) break;
    }
    return static_cast<int>(done);
}

int FileStream::Write(const void* buffer, int n) {
    if (!IsOpen() || buffer == nullptr || n <= 0) return 0;
    Impl& s = *impl_;
    s.bufferLength = 0;
    if (!s.MoveFilePointer()) return 0;
    const int put = s.file->Write(buffer, n);
    s.filePosition += static_cast<uint64_t>(put);
    s.position += static_cast<uint64_t>(put);
    return put;
}

uint32_t FileStream::Seek(int32_t offset, SeekOrigin origin) {
    if (!IsOpen()) return kSeekFailed;
    Impl& s = *impl_;
    int64_t base = 0;
    if (origin == SeekOrigin::Current) base = static_cast<int64_t>(s.position);
    if (origin == SeekOrigin::End) {
        base = s.file->Size();
        if (base < 0) return kSeekFailed;
    }
    const int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(UINT32_MAX)) return kSeekFailed;
    s.position = static_cast<uint64_t>(target);
    return static_cast<uint32_t>(target);
}

uint32_t FileStream::Position() { return Seek(0, SeekOrigin::Current); }

uint32_t FileStream::Size() {
    if (!IsOpen()) return 0;
    const int64_t size = impl_->file->Size();
    if (size < 0 || size > static_cast<int64_t>(UINT32_MAX)) return 0;
    return static_cast<uint32_t>(size);
}

std::string FileStream::ReadLine() {
    std::string line;
    char c = 0;
    while (Read(&c, 1) == 1) {
        if (c == '\0' || c == '\n') break;
        if (c == '\r') {
            // A CR alone ends the line too; the byte after it belongs to the next one.
            char next = 0;
            if (Read(&next, 1) == 1 && next != '\n') --impl_->position;
            break;
        }
        line += c;
    }
    return line;
}

bool FileStream::Flush() { return IsOpen() && impl_->file->Flush(); }

void FileStream::StartWriteOut() {
    if (IsOpen()) impl_->file->StartWriteOut();
}

}  // namespace pellwise
