#pragma once

#include <string>

namespace pellwise {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RemoveFile(const std::string& path);

// The folder of the program's own executable, ending in a separator.
std::string ProgramFolder();

}  // namespace pellwise
