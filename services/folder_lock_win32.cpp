#include <windows.h>

#include "services/folder_lock.h"
#include "services/paths.h"

namespace pellwise {

std::unique_ptr<FolderLock> FolderLock::Acquire(const std::string& folder, Outcome& outcome, SystemError& error) {
    const std::string path = JoinPath(WithTrailingSeparator(folder), "pellwise.lock");
    // No sharing at all: a second open fails while this handle lives, and the
    // system closes it (and deletes the file) when the process ends.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        // A lock file that is being deleted by its closing holder answers
        // "access denied"; it is still someone else's lock.
        const bool held = code == ERROR_SHARING_VIOLATION ||
                          (code == ERROR_ACCESS_DENIED && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
        outcome = held ? Outcome::Held : Outcome::Failed;
        error = SystemErrorFromCode(static_cast<int>(code), path);
        return nullptr;
    }
    outcome = Outcome::Acquired;
    return std::unique_ptr<FolderLock>(new FolderLock(reinterpret_cast<intptr_t>(file)));
}

FolderLock::~FolderLock() { CloseHandle(reinterpret_cast<HANDLE>(handle_)); }

}  // namespace pellwise
