#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellwise {

// File names are handed to the system as they are: UTF-8 on Linux, the ANSI
// code page on Windows. The console speaks UTF-8 on both, so names cross over
// here. The game's own texts are windows-1251 everywhere (services/text_codec.h).
std::string NativeFromUtf8(std::string_view utf8);
std::string NativeToUtf8(std::string_view native);

// The command line as UTF-8 (on Windows from the wide command line, so no
// letter is lost to the ANSI code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

std::string CurrentFolder();  // ends in a separator
bool IsAbsolutePath(std::string_view path);
bool StdinAndStderrAreTerminals();

}  // namespace pellwise
