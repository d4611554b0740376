#pragma once

#include <string>
#include <string_view>

namespace pellwise {

// Windows only. Conversions between a code page (CP_ACP, CP_UTF8, ...) and
// the UTF-16 of the W functions.
std::wstring WidenFrom(std::string_view text, unsigned codePage);
std::string NarrowTo(std::wstring_view wide, unsigned codePage);

// Windows only. The path made absolute by GetFullPathNameA, or the path as it
// is when that fails. The private-profile functions need it: they look a name
// without a folder up in the Windows folder, not in the current one.
std::string FullPathName(const std::string& path);

}  // namespace pellwise
