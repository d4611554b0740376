#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "services/folder_lock.h"

namespace pellwise {

std::unique_ptr<FolderLock> FolderLock::Acquire(const std::string& folder, Outcome& outcome, SystemError& error) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        outcome = Outcome::Failed;
        error = LastSystemError(folder);
        return nullptr;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        outcome = code == EWOULDBLOCK ? Outcome::Held : Outcome::Failed;
        error = SystemErrorFromCode(code, folder);
        return nullptr;
    }
    outcome = Outcome::Acquired;
    return std::unique_ptr<FolderLock>(new FolderLock(fd));
}

FolderLock::~FolderLock() { ::close(static_cast<int>(handle_)); }

}  // namespace pellwise
