#include <windows.h>

#include "installer/engine/folders.h"

namespace pellwise {

bool MakeOneFolder(const std::string& folder) { return CreateDirectoryA(folder.c_str(), nullptr) != 0; }

// Symbolic links and junctions are both reparse points.
bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace pellwise
