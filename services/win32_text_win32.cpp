#include <windows.h>

#include <vector>

#include "services/text_codec.h"
#include "services/win32_text.h"

namespace pellwise {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

std::wstring WidenFrom(std::string_view text, unsigned codePage) {
    if (codePage == kCodePage1251) {
        const std::u16string wide = Cp1251ToUtf16(text);
        return std::wstring(wide.begin(), wide.end());
    }
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string NarrowTo(std::wstring_view wide, unsigned codePage) {
    if (codePage == kCodePage1251) return Utf16ToCp1251(std::u16string(wide.begin(), wide.end()));
    if (wide.empty()) return {};
    const int n =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

std::string FullPathName(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    return n == 0 || n >= buffer.size() ? path : std::string(buffer.data(), n);
}

}  // namespace pellwise
