#include <windows.h>

#include <vector>

#include "installer/engine/virtual_store.h"

namespace pellwise {

namespace {

std::string Environment(const char* name) {
    std::vector<char> value(MAX_PATH);
    DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length);
        length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    }
    return length > 0 && length < value.size() ? std::string(value.data(), length) : std::string();
}

}  // namespace

// The same folders as the known folders LocalAppData, ProgramFiles and
// ProgramFilesX86; the environment names them in the system code page the
// rest of the program uses.
VirtualStoreFolders SystemVirtualStoreFolders() {
    VirtualStoreFolders folders;
    folders.LocalAppData = Environment("LOCALAPPDATA");
    for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        std::string folder = Environment(name);
        if (!folder.empty()) folders.ProgramFiles.push_back(std::move(folder));
    }
    return folders;
}

}  // namespace pellwise
