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

}  // namespace

AtomicFileSink::AtomicFileSink(FileStream& stream, uint64_t limit)
    : stream_(stream), buffer_(static_cast<size_t>(std::min<uint64_t>(kSinkBufferSize, limit))), limit_(limit) {}

bool AtomicFileSink::Put(const void* bytes, size_t count) {
    if (refused_ || broken_) return false;
    if (count > limit_ - accepted_) {
        // What still fits goes in, so that a fault can leave a half-written file behind.
        count = static_cast<size_t>(limit_ - accepted_);
        refused_ = true;
    }
    accepted_ += count;
    const auto* piece = static_cast<const char*>(bytes);
    if (count > buffer_.size() - used_) {
        if (!Drain()) return false;
        if (count >= buffer_.size()) {
            broken_ = !WriteAll(stream_, std::string_view(piece, count));
            return !broken_ && !refused_;
        }
    }
    std::copy(piece, piece + count, buffer_.data() + used_);
    used_ += count;
    return !refused_;
}

bool AtomicFileSink::Drain() {
    if (!broken_ && used_ > 0) broken_ = !WriteAll(stream_, std::string_view(buffer_.data(), used_));
    used_ = 0;
    return !broken_;
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
    const Filler fill = [size, &write](FileStream& stream, bool failHalfway) {
        AtomicFileSink sink(stream, failHalfway ? size / 2 : size);
        const bool written = write(sink);
        const bool finished = sink.Finish();
        return written && finished && !failHalfway && sink.Accepted() == size;
    };
    return ReplaceAtomically(path, fill, options, "");
}

AtomicWriteStatus CopyFileAtomically(const std::string& source, const std::string& target,
                                     const AtomicWriteOptions& options) {
    FileStream in = FileStream::OpenForReading(source);
    if (!in.IsOpen()) return AtomicWriteStatus::WriteFailed;
    const Filler fill = [&in](FileStream& stream, bool failHalfway) {
        // A read that fails looks like the end of the file: only a copy as
        // long as the source counts as complete.
        const uint32_t size = in.Size();
        uint32_t copied = 0;
        std::vector<char> chunk(std::clamp<size_t>(size, 1, 1 << 20));
        while (const int n = in.Read(chunk.data(), static_cast<int>(chunk.size()))) {
            if (!WriteAll(stream, std::string_view(chunk.data(), static_cast<size_t>(n))) || failHalfway) return false;
            copied += static_cast<uint32_t>(n);
        }
        return !failHalfway && copied == size;
    };
    return ReplaceAtomically(target, fill, options, source);
}

void RemoveStaleTemporary(const std::string& path) {
    const std::string temporary = TemporaryPathFor(path);
    if (FileExists(temporary)) RemoveFile(temporary);
}

}  // namespace pellwise
