#include "services/paths.h"

namespace pellwise {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && !IsSeparator(folder.back())) folder += kPathSeparator;
    return folder;
}

std::string JoinPath(std::string_view folder, std::string_view relative) {
    std::string result = WithTrailingSeparator(std::string(folder));
    for (char c : relative) result += IsSeparator(c) ? kPathSeparator : c;
    return result;
}

std::string ParentFolder(std::string_view folder) {
    // Drop the folder's own trailing separator, then cut after the previous one.
    std::string_view trimmed = folder;
    if (!trimmed.empty() && IsSeparator(trimmed.back())) trimmed.remove_suffix(1);
    size_t n = trimmed.size();
    while (n > 1 && !IsSeparator(trimmed[n - 1])) --n;
    return std::string(trimmed.substr(0, n));
}

}  // namespace pellwise
