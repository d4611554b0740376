#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "services/copy_files_internal.h"

namespace pellwise {

namespace copy_files_internal {

namespace {

std::string RealPath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

}  // namespace

bool CreateFolder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0 || DirectoryExists(path); }

bool SameOrInside(const std::string& inner, const std::string& outer) {
    const std::string a = RealPath(inner), b = RealPath(outer);
    if (a.empty() || b.empty()) return false;
    return a == b || (a.compare(0, b.size(), b) == 0 && (b == "/" || a[b.size()] == '/'));
}

}  // namespace copy_files_internal

bool CopyFiles(const std::string& sources, const std::string& destination, uint32_t flags, MessageService& messages,
               const CopyOptions& options) {
    if ((flags & 0x7F) != 0) return false;  // the program's own copy only copies
    return copy_files_internal::CopyTree(sources, destination, messages, options);
}

}  // namespace pellwise
