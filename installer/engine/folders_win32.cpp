#include <windows.h>

#include "installer/engine/folders.h"

namespace pellwise {

bool MakeOneFolder(const std::string& folder) { return CreateDirectoryA(folder.c_str(), nullptr) != 0; }

}  // namespace pellwise
