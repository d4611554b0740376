#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "services/system_error.h"

namespace pellwise {

// One run at a time per game folder, across processes: held from the start
// of a run to its end, and let go by the system when the process dies
// (flock on the folder itself on POSIX; on Windows an exclusively opened
// lock file in it that is deleted when it is closed).
class FolderLock {
public:
    enum class Outcome { Acquired, Held, Failed };

    // Outcome Held: another process (or another lock of this one) has it.
    // Failed: the system refused for another reason, given in `error`.
    static std::unique_ptr<FolderLock> Acquire(const std::string& folder, Outcome& outcome, SystemError& error);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    explicit FolderLock(intptr_t handle) : handle_(handle) {}
    intptr_t handle_;
};

}  // namespace pellwise
