#pragma once

#include <string>
#include <string_view>

namespace pellwise {

// The program's own texts and the game's. Converted by the program's own
// table, so they read the same whatever code page the system has.
inline constexpr unsigned kCodePage1251 = 1251;

// Windows only. Conversions between a code page (kCodePage1251, CP_ACP,
// CP_UTF8, ...) and the UTF-16 of the W functions.
std::wstring WidenFrom(std::string_view text, unsigned codePage);
std::string NarrowTo(std::wstring_view wide, unsigned codePage);

// Windows only. The path made absolute by GetFullPathNameA, or the path as it
// is when that fails. The private-profile functions need it: they look a name
// without a folder up in the Windows folder, not in the current one.
std::string FullPathName(const std::string& path);

}  // namespace pellwise
