#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/system_error.h"

namespace pellwise {

// Checks, before the first write, that every target (relative to the game
// folder) can be replaced or created: the file not read-only and not held by
// another program, its folder (or the nearest one that exists) writable,
// its name within the file system's limit, and `needed` bytes free for the
// staged files. The first failure, with the path and the system's reason.
SystemError CheckTargets(const std::string& gameDir, const std::vector<std::string>& targets, uint64_t needed);

// The detail of a stop for a folder standing where a file goes.
inline constexpr const char* kFolderInTheWay = "a folder stands where the file goes";

// A stop that administrator rights would lift: access denied by the system,
// not a read-only file, a lock or a folder in the way.
bool NeedsRights(const SystemError& error);

}  // namespace pellwise
