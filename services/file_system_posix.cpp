#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "services/file_system.h"

namespace pellwise {

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path) { return !DirectoryExists(path) && unlink(path.c_str()) == 0; }

std::string ProgramFolder() {
    std::vector<char> buffer(512);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return "";
        if (static_cast<size_t>(n) < buffer.size()) {
            const std::string path(buffer.data(), static_cast<size_t>(n));
            return path.substr(0, path.find_last_of('/') + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace pellwise
