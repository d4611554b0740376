#include <sys/stat.h>

#include "installer/engine/folders.h"

namespace pellwise {

bool MakeOneFolder(const std::string& folder) { return mkdir(folder.c_str(), 0777) == 0; }

}  // namespace pellwise
