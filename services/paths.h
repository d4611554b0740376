#pragma once

#include <string>
#include <string_view>

namespace pellwise {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Folder paths of the program end in a separator, and names are appended to
// them by plain concatenation. JoinPath writes the relative part with the
// platform's separator, so "interface\\options.ini" may be given either way.
std::string WithTrailingSeparator(std::string folder);
std::string JoinPath(std::string_view folder, std::string_view relative);
// The folder that holds `folder`, ending in a separator ("C:\Games\Mafia\Mod\"
// gives "C:\Games\Mafia\"); a folder at the root gives the root.
std::string ParentFolder(std::string_view folder);

}  // namespace pellwise
