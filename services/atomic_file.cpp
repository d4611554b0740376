#include "services/atomic_file.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

#include "services/atomic_file_platform.h"
#include "services/file_stream.h"
#include "services/file_system.h"

namespace pellwise {

namespace {

namespace platform = atomic_file_platform;

bool WriteAll(FileStream& stream, std::string_view bytes) {
    while (!bytes.empty()) {
        const int n = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
        if (stream.Write(bytes.data(), n) != n) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Fills the temporary file; a fault at Write lets half of the content in first.
using Filler = std::function<bool(FileStream&, bool failHalfway)>;

// Creates, fills and flushes the temporary file; the stream is closed on
// return, so the file can be moved on every platform.
bool WriteTemporary(const std::string& temporary, const Filler& fill, InjectedFault fault) {
    if (fault == InjectedFault::Create) return false;
    FileStream stream = FileStream::OpenForWriting(temporary, CreationMode::CreateAlways);
    if (!stream.IsOpen()) return false;
    if (!fill(stream, fault == InjectedFault::Write)) return false;
    return fault != InjectedFault::Flush && stream.Flush();
}

// `model` is the file whose permissions a new target takes.
AtomicWriteStatus ReplaceAtomically(const std::string& path, const Filler& fill, const AtomicWriteOptions& options,
                                    const std::string& model) {
    const platform::TargetState target = platform::InspectTarget(path);
    if (options.mode == AtomicWriteMode::ExistingOnly && (!target.exists || target.isFolder))
        return AtomicWriteStatus::TargetMissing;
    if (target.isFolder) return AtomicWriteStatus::ReplaceFailed;
    if (target.exists && target.readOnly) return AtomicWriteStatus::TargetReadOnly;

    const std::string temporary = TemporaryPathFor(path);
    RemoveStaleTemporary(path);
    AtomicWriteStatus status = AtomicWriteStatus::Ok;
    if (!WriteTemporary(temporary, fill, options.fault)) {
        status = AtomicWriteStatus::WriteFailed;
    } else {
        if (target.exists) {
            platform::CarryOver(temporary, target);
        } else if (!model.empty()) {
            platform::CarryOver(temporary, platform::InspectTarget(model));
        }
        if (options.fault == InjectedFault::Replace || !platform::ReplaceTarget(temporary, path))
            status = AtomicWriteStatus::ReplaceFailed;
    }
    if (status != AtomicWriteStatus::Ok) RemoveFile(temporary);
    return status;
}

// Few, large writes: a system call can cost microseconds (on virtual machines
// above all), and a scene of a few MiB then goes out in a handful.
constexpr size_t kSinkBufferSize = 1024 * 1024;

// Writes and closes a staged file; see StreamStagedFile.
AtomicWriteStatus FillStagedFile(const std::string& path, const Filler& fill, InjectedFault fault,
                                 const std::string& model) {
    if (fault == InjectedFault::Create) return AtomicWriteStatus::WriteFailed;
    bool written = false;
    {
        FileStream stream = FileStream::OpenForWriting(path, CreationMode::CreateAlways);
        if (!stream.IsOpen()) return AtomicWriteStatus::WriteFailed;
        written = fill(stream, fault == InjectedFault::Write) && fault != InjectedFault::Flush;
        if (written) stream.StartWriteOut();
    }
    if (!written) {
        RemoveFile(path);
        return AtomicWriteStatus::WriteFailed;
    }
    if (!model.empty()) platform::CarryOver(path, platform::InspectTarget(model));
    return AtomicWriteStatus::Ok;
}

// Exactly the content's bytes; `written` (when given) receives their digest.
Filler SinkFiller(const FileContent& content, FileDigest* written) {
    return [&content, written](FileStream& stream, bool failHalfway) {
        AtomicFileSink sink(stream, failHalfway ? content.Size / 2 : content.Size);
        const bool put = content.Write(sink);
        const bool finished = sink.Finish();
        if (written) *written = sink.Written();
        return put && finished && !failHalfway && sink.Accepted() == content.Size;
    };
}

// A copy of `in` from its start. A read that fails looks like the end of the
// file: only a copy as long as the source counts as complete.
Filler CopyFiller(FileStream& in, FileDigest* written) {
    return [&in, written](FileStream& stream, bool failHalfway) {
        const uint32_t size = in.Size();
        FileDigest digest;
        const size_t chunkSize = std::clamp<size_t>(size, 1, 1 << 20);
        const auto chunk = std::make_unique_for_overwrite<char[]>(chunkSize);
        while (const int n = in.Read(chunk.get(), static_cast<int>(chunkSize))) {
            const std::string_view piece(chunk.get(), static_cast<size_t>(n));
            if (!WriteAll(stream, piece) || failHalfway) return false;
            digest.Crc = Crc32c(piece.data(), piece.size(), digest.Crc);
            digest.Size += piece.size();
        }
        if (written) *written = digest;
        return !failHalfway && digest.Size == size;
    };
}

}  // namespace

AtomicFileSink::AtomicFileSink(FileStream& stream, uint64_t limit)
    : stream_(stream),
      capacity_(static_cast<size_t>(std::min<uint64_t>(kSinkBufferSize, limit))),
      buffer_(std::make_unique_for_overwrite<char[]>(capacity_)),
      limit_(limit) {}

bool AtomicFileSink::PutPiece(const void* bytes, size_t count) {
    if (refused_ || broken_) return false;
    if (count > limit_ - accepted_) {
        // What still fits goes in, so that a fault can leave a half-written file behind.
        count = static_cast<size_t>(limit_ - accepted_);
        refused_ = true;
    }
    accepted_ += count;
    const auto* piece = static_cast<const char*>(bytes);
    if (count > capacity_ - used_) {
        if (!Drain()) return false;
        if (count >= capacity_) {
            broken_ = !WritePiece(std::string_view(piece, count));
            return !broken_ && !refused_;
        }
    }
    std::copy(piece, piece + count, buffer_.get() + used_);
    used_ += count;
    return !refused_;
}

bool AtomicFileSink::Drain() {
    if (!broken_ && used_ > 0) broken_ = !WritePiece(std::string_view(buffer_.get(), used_));
    used_ = 0;
    return !broken_;
}

// The bytes are hashed while they are still in the cache from being written.
bool AtomicFileSink::WritePiece(std::string_view bytes) {
    if (!WriteAll(stream_, bytes)) return false;
    written_.Crc = Crc32c(bytes.data(), bytes.size(), written_.Crc);
    written_.Size += bytes.size();
    return true;
}

bool AtomicFileSink::Finish() { return Drain() && !refused_; }

std::string TemporaryPathFor(const std::string& path) { return path + std::string(kTemporarySuffix); }

AtomicWriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      const AtomicWriteOptions& options) {
    const Filler fill = [bytes](FileStream& stream, bool failHalfway) {
        if (!failHalfway) return WriteAll(stream, bytes);
        WriteAll(stream, bytes.substr(0, bytes.size() / 2));
        return false;
    };
    return ReplaceAtomically(path, fill, options, "");
}

AtomicWriteStatus StreamFileAtomically(const std::string& path, uint64_t size, const ContentWriter& write,
                                       const AtomicWriteOptions& options) {
    return ReplaceAtomically(path, SinkFiller({size, write}, nullptr), options, "");
}

AtomicWriteStatus CopyFileAtomically(const std::string& source, const std::string& target,
                                     const AtomicWriteOptions& options) {
    FileStream in = FileStream::OpenForReading(source);
    if (!in.IsOpen()) return AtomicWriteStatus::WriteFailed;
    return ReplaceAtomically(target, CopyFiller(in, nullptr), options, source);
}

AtomicWriteStatus StreamStagedFile(const std::string& path, const FileContent& content, FileDigest& written,
                                   InjectedFault fault) {
    return FillStagedFile(path, SinkFiller(content, &written), fault, "");
}

AtomicWriteStatus CopyToStagedFile(const std::string& source, const std::string& path, FileDigest& written) {
    FileStream in = FileStream::OpenForReading(source);
    if (!in.IsOpen()) return AtomicWriteStatus::WriteFailed;
    return FillStagedFile(path, CopyFiller(in, &written), InjectedFault::None, source);
}

bool FlushWrittenFile(const std::string& path) {
    FileStream stream = FileStream::OpenForWriting(path, CreationMode::KeepExisting);
    return stream.IsOpen() && stream.Flush();
}

void RemoveStaleTemporary(const std::string& path) {
    const std::string temporary = TemporaryPathFor(path);
    if (FileExists(temporary)) RemoveFile(temporary);
}

}  // namespace pellwise
