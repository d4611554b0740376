#include <windows.h>

#include <vector>

#include "services/file_system.h"
#include "services/win32_handles.h"

namespace pellwise {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    // No system dialog for a drive without a disk while the path is tested.
    const ErrorModeScope quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

std::string ProgramFolder() {
    // A path that fills the buffer may have been cut: try again with more room.
    std::vector<char> buffer(512);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return "";
        if (n < buffer.size()) {
            const std::string path(buffer.data(), n);
            return path.substr(0, path.find_last_of('\\') + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace pellwise
