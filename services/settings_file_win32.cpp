#include <windows.h>

#include <vector>

#include "services/settings_file.h"

namespace pellwise {

namespace {

constexpr DWORD kValueBuffer = 4096;

// The private-profile functions look a name without a folder up in the
// Windows folder, not in the current one: give them the full path.
std::string FullPath(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    return n == 0 || n >= buffer.size() ? path : std::string(buffer.data(), n);
}

}  // namespace

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) {
    const std::string file = FullPath(path_);
    if (Mode == SettingsMode::Write) {
        WritePrivateProfileStringA(Section.c_str(), key.c_str(), defaultValue.c_str(), file.c_str());
        return defaultValue;
    }
    std::vector<char> buffer(kValueBuffer);
    const DWORD n = GetPrivateProfileStringA(Section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                             kValueBuffer, file.c_str());
    return std::string(buffer.data(), n < kValueBuffer ? n : kValueBuffer - 1);
}

}  // namespace pellwise
