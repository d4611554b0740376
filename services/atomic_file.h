#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "services/checksum.h"

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

class FileStream;

// The receiving end of StreamFileAtomically: pieces of any size, gathered
// into large writes of the temporary file.
class AtomicFileSink {
public:
    // `limit` is the most bytes the sink accepts.
    AtomicFileSink(FileStream& stream, uint64_t limit);

    // False when the piece could not be written or would pass the limit; the
    // content is then lost, and every later piece is refused.
    bool Put(const void* bytes, size_t count) {
        // Most pieces are small and fit: they cost no call.
        if (count <= capacity_ - used_ && count <= limit_ - accepted_ && !refused_ && !broken_) {
            if (count > 0) std::memcpy(buffer_.get() + used_, bytes, count);
            used_ += count;
            accepted_ += count;
            return true;
        }
        return PutPiece(bytes, count);
    }
    bool Put(std::string_view bytes) { return Put(bytes.data(), bytes.size()); }

    // Writes out what is gathered; false when anything was refused.
    bool Finish();
    uint64_t Accepted() const { return accepted_; }
    // The size and CRC-32C of what went to the file: after Finish, the whole
    // content, so that nobody needs to read the file again to hash it.
    FileDigest Written() const { return written_; }

private:
    bool PutPiece(const void* bytes, size_t count);
    bool Drain();
    bool WritePiece(std::string_view bytes);

    FileStream& stream_;
    size_t capacity_;
    std::unique_ptr<char[]> buffer_;  // not cleared when made: only what was put in is written
    size_t used_ = 0;
    uint64_t limit_;
    uint64_t accepted_ = 0;
    bool refused_ = false;
    bool broken_ = false;  // the file refused a write
    FileDigest written_;
};

// Puts the content of the file into the sink; false to abandon the write.
using ContentWriter = std::function<bool(AtomicFileSink&)>;

// Content made piece by piece, of a size known before it is written.
struct FileContent {
    uint64_t Size = 0;
    ContentWriter Write;
};

// WriteFileAtomically for content that is produced piece by piece rather than
// held whole: exactly `size` bytes, or the write fails and the target stays as
// it was. An injected Write fault lets the first half in.
AtomicWriteStatus StreamFileAtomically(const std::string& path, uint64_t size, const ContentWriter& write,
                                       const AtomicWriteOptions& options = {});

// Replaces or creates `target` with a copy of the file `source` in the same
// way, streaming it rather than holding it in memory. A new file takes the
// source's permissions (attributes on Windows); a replaced one keeps its own.
// A source that cannot be read is a WriteFailed.
AtomicWriteStatus CopyFileAtomically(const std::string& source, const std::string& target,
                                     const AtomicWriteOptions& options = {});

// A transaction's staged file is a temporary file already: it is written under
// its own name rather than through another temporary beside it, and it is not
// flushed here. The system is asked to start writing it out at once, and the
// transaction flushes its staged files together (FlushWrittenFile) before it
// relies on them, so the waits for the disk overlap the work on the next
// file. A failed write removes the file. `written` receives the size and
// CRC-32C of the content. A copy takes the source's permissions.
AtomicWriteStatus StreamStagedFile(const std::string& path, const FileContent& content, FileDigest& written,
                                   InjectedFault fault = InjectedFault::None);
AtomicWriteStatus CopyToStagedFile(const std::string& source, const std::string& path, FileDigest& written);

// Forces what was written to an existing file to the disk.
bool FlushWrittenFile(const std::string& path);

// Removes a temporary file left beside path by an earlier, interrupted run.
void RemoveStaleTemporary(const std::string& path);

}  // namespace pellwise
