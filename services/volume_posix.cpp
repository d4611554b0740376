#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "services/paths.h"
#include "services/volume.h"

namespace pellwise {

std::optional<uint64_t> FreeBytes(const std::string& folder) {
    struct statvfs st {};
    if (statvfs(folder.c_str(), &st) != 0) return std::nullopt;
    return uint64_t{st.f_bavail} * st.f_frsize;
}

size_t NameLimit(const std::string& folder) {
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<size_t>(limit) : 255;
}

bool MakeHardLink(const std::string& existing, const std::string& link) {
    return ::link(existing.c_str(), link.c_str()) == 0;
}

// A file or folder without any write permission bit counts as read-only even
// for a user whose rights would let him write it: the player marked it so.
SystemError CheckReplaceable(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return LastSystemError(path);
    if ((st.st_mode & 0222) == 0) return {ReasonKind::ReadOnly, path, {}};
    return {};
}

SystemError CheckWritableFolder(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return LastSystemError(folder);
    if ((st.st_mode & 0222) == 0) return {ReasonKind::ReadOnly, folder, {}};
#ifdef O_TMPFILE
    // A file without a name: it tells the same, and a run killed while it is
    // open leaves nothing behind in the game's folder.
    const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    if (unnamed >= 0) {
        ::close(unnamed);
        return {};
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return LastSystemError(folder);
#endif
    const std::string probe = JoinPath(folder, "~pellwise-probe.tmp");
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return LastSystemError(folder);
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

bool RemoveEmptyFolder(const std::string& folder) { return ::rmdir(folder.c_str()) == 0; }

void FlushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    ::close(fd);
}

}  // namespace pellwise
