#pragma once

#include <string>
#include <string_view>

namespace pellwise {

// The program's texts and the game's are windows-1251. Case conversion uses
// that code page's fixed mapping on every platform, so results do not depend
// on the code page of the machine the installer runs on.
char UpperCase1251(char c);
char LowerCase1251(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Conversions for the console, for tests and for the W functions of the GUI.
// Bytes without a windows-1251 equivalent become '?'.
std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);
std::u16string Cp1251ToUtf16(std::string_view text);
std::string Utf16ToCp1251(std::u16string_view text);

// Built-in Russian texts are written in UTF-8 in the source and converted once.
inline std::string Ru(std::string_view utf8) { return Utf8ToCp1251(utf8); }

}  // namespace pellwise
