#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "services/system_error.h"

namespace pellwise {

// What a transaction over game files needs of the file system beyond reading
// and writing: free space, name limits, hard links, and whether a file or
// folder can be replaced or written into. Failures leave the system's error
// for LastSystemError.

std::optional<uint64_t> FreeBytes(const std::string& folder);

// The longest file name (one path component, in bytes) the folder's file system takes.
size_t NameLimit(const std::string& folder);

bool MakeHardLink(const std::string& existing, const std::string& link);

// Why `path` (an existing file) cannot be replaced, or nothing: read-only, or
// on Windows open in a program that does not let it be replaced.
SystemError CheckReplaceable(const std::string& path);

// Why no file can be created in `folder`, or nothing. Creates a probe file,
// since only trying tells (rights, a read-only medium): one the system removes
// even when the process is killed (an unnamed file on Linux, delete-on-close
// on Windows), or else one removed at once.
SystemError CheckWritableFolder(const std::string& folder);

bool RemoveEmptyFolder(const std::string& folder);

// Puts `from` in the place of `to` in one step, replacing it.
bool MoveReplacing(const std::string& from, const std::string& to);

// Makes the folder's names (a file created, renamed or removed in it) as
// lasting as the files' content: fsync of the folder on POSIX. Windows file
// systems record names in their own journal, and there it does nothing.
void FlushFolder(const std::string& folder);

}  // namespace pellwise
