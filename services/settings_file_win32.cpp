#include <windows.h>

#include <vector>

#include "services/settings_file.h"
#include "services/win32_text.h"

namespace pellwise {

namespace {

constexpr DWORD kValueBuffer = 4096;

}  // namespace

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) {
    const std::string file = FullPathName(path_);
    std::vector<char> buffer(kValueBuffer);
    const DWORD n = GetPrivateProfileStringA(Section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                             kValueBuffer, file.c_str());
    return std::string(buffer.data(), n < kValueBuffer ? n : kValueBuffer - 1);
}

}  // namespace pellwise
