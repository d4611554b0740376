#pragma once

#include <string>

namespace pellwise {

// Why the system refused an operation on a file, in the words a player
// understands. Front ends format it; the core only carries it.
enum class ReasonKind { None, ReadOnly, AccessDenied, NoSpace, NameTooLong, Locked, NotFound, Other };

struct SystemError {
    ReasonKind Kind = ReasonKind::None;
    std::string Path;    // the file or folder concerned, in the system's encoding
    std::string Detail;  // the system's own text for the error, when there is one

    explicit operator bool() const { return Kind != ReasonKind::None; }
    // "PATH: read-only (Read-only file system)"
    std::string Text() const;
};

const char* ReasonWords(ReasonKind kind);

// The error the last failed system call of this thread left (errno or
// GetLastError), for `path`. Other when the call set none.
SystemError LastSystemError(const std::string& path);

// The same for a known system error code (errno, or a Windows error code).
SystemError SystemErrorFromCode(int code, const std::string& path);

}  // namespace pellwise
