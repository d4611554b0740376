#include <windows.h>

#include "installer_test_support.h"

namespace pellwise::testing {

LockedFile::LockedFile(const std::string& path) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    handle_ = reinterpret_cast<intptr_t>(file);
    held_ = true;
}

LockedFile::~LockedFile() {
    if (held_) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace pellwise::testing
