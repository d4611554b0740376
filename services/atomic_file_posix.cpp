#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "services/atomic_file_platform.h"
#include "services/volume.h"

namespace pellwise::atomic_file_platform {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

TargetState InspectTarget(const std::string& path) {
    TargetState state;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return state;
    state.exists = true;
    state.isFolder = S_ISDIR(st.st_mode);
    state.readOnly = (st.st_mode & 0222) == 0;
    state.keptBits = st.st_mode & 07777;
    return state;
}

void CarryOver(const std::string& temporary, const TargetState& target) {
    chmod(temporary.c_str(), static_cast<mode_t>(target.keptBits));
}

bool ReplaceTarget(const std::string& temporary, const std::string& target) {
    if (std::rename(temporary.c_str(), target.c_str()) != 0) return false;
    // A rename is durable only once the folder that records it is on the disk.
    FlushFolder(FolderOf(target));
    return true;
}

}  // namespace pellwise::atomic_file_platform
