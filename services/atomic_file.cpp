#include "services/atomic_file.h"

#include <algorithm>
#include <climits>

#include "services/atomic_file_platform.h"
#include "services/file_stream.h"
#include "services/file_system.h"

namespace pellwise {

namespace {

namespace platform = atomic_file_platform;

bool WriteAll(FileStream& stream, std::string_view bytes, bool failHalfway) {
    if (failHalfway) {
        stream.Write(bytes.data(), static_cast<int>(std::min<size_t>(bytes.size() / 2, INT_MAX)));
        return false;
    }
    while (!bytes.empty()) {
        const int n = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
        if (stream.Write(bytes.data(), n) != n) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Creates, fills and flushes the temporary file; the stream is closed on
// return, so the file can be moved on every platform.
bool WriteTemporary(const std::string& temporary, std::string_view bytes, InjectedFault fault) {
    if (fault == InjectedFault::Create) return false;
    FileStream stream = FileStream::OpenForWriting(temporary, CreationMode::CreateAlways);
    if (!stream.IsOpen()) return false;
    if (!WriteAll(stream, bytes, fault == InjectedFault::Write)) return false;
    return fault != InjectedFault::Flush && stream.Flush();
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return path + std::string(kTemporarySuffix); }

AtomicWriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      const AtomicWriteOptions& options) {
    const platform::TargetState target = platform::InspectTarget(path);
    if (options.mode == AtomicWriteMode::ExistingOnly && (!target.exists || target.isFolder))
        return AtomicWriteStatus::TargetMissing;
    if (target.isFolder) return AtomicWriteStatus::ReplaceFailed;
    if (target.exists && target.readOnly) return AtomicWriteStatus::TargetReadOnly;

    const std::string temporary = TemporaryPathFor(path);
    RemoveStaleTemporary(path);
    AtomicWriteStatus status = AtomicWriteStatus::Ok;
    if (!WriteTemporary(temporary, bytes, options.fault)) {
        status = AtomicWriteStatus::WriteFailed;
    } else {
        if (target.exists) platform::CarryOver(temporary, target);
        if (options.fault == InjectedFault::Replace || !platform::ReplaceTarget(temporary, path))
            status = AtomicWriteStatus::ReplaceFailed;
    }
    if (status != AtomicWriteStatus::Ok) RemoveFile(temporary);
    return status;
}

void RemoveStaleTemporary(const std::string& path) {
    const std::string temporary = TemporaryPathFor(path);
    if (FileExists(temporary)) RemoveFile(temporary);
}

}  // namespace pellwise
