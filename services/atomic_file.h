#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellwise {

// Game files are never replaced by a partial file: the new content goes to a
// temporary file beside the target, is flushed to disk, and then replaces the
// target in one step (rename / MoveFileEx). The temporary file's name is the
// target's plus kTemporarySuffix, which no game file carries, so a later run
// can recognise and remove one left behind by a killed process.
inline constexpr std::string_view kTemporarySuffix = ".pellwise-tmp";

enum class AtomicWriteStatus {
    Ok,
    TargetMissing,   // ExistingOnly was asked and there is no file
    TargetReadOnly,  // the target is read-only; it is reported, not forced
    WriteFailed,     // the temporary file could not be created, written or flushed
    ReplaceFailed,   // the final replace failed
};

enum class AtomicWriteMode { CreateOrReplace, ExistingOnly };

// Test seam: makes one stage fail the way a full disk or a locked file would.
enum class InjectedFault { None, Create, Write, Flush, Replace };

struct AtomicWriteOptions {
    AtomicWriteMode mode = AtomicWriteMode::CreateOrReplace;
    InjectedFault fault = InjectedFault::None;
};

std::string TemporaryPathFor(const std::string& path);

AtomicWriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      const AtomicWriteOptions& options = {});

// Replaces or creates `target` with a copy of the file `source` in the same
// way, streaming it rather than holding it in memory. A new file takes the
// source's permissions (attributes on Windows); a replaced one keeps its own.
// A source that cannot be read is a WriteFailed.
AtomicWriteStatus CopyFileAtomically(const std::string& source, const std::string& target,
                                     const AtomicWriteOptions& options = {});

// Removes a temporary file left beside path by an earlier, interrupted run.
void RemoveStaleTemporary(const std::string& path);

}  // namespace pellwise
