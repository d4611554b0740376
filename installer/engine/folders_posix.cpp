#include <sys/stat.h>

#include "installer/engine/folders.h"

namespace pellwise {

bool MakeOneFolder(const std::string& folder) { return mkdir(folder.c_str(), 0777) == 0; }

bool IsLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace pellwise
