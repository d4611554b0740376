#include <windows.h>
// shellapi.h builds on the types of windows.h.
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "services/copy_files_internal.h"
#include "services/text_codec.h"

namespace pellwise {

namespace copy_files_internal {

namespace {

std::string FullPath(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    std::string full = n == 0 || n >= buffer.size() ? path : std::string(buffer.data(), n);
    std::replace(full.begin(), full.end(), '/', '\\');
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return UpperCase(full);
}

// One list of names for the shell: each ended by a NUL, the list by another.
std::string ShellList(std::string names) {
    std::replace(names.begin(), names.end(), '\r', '\0');
    names.push_back('\0');
    names.push_back('\0');
    return names;
}

}  // namespace

bool CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path); }

bool SameOrInside(const std::string& inner, const std::string& outer) {
    const std::string a = FullPath(inner), b = FullPath(outer);
    return a == b || (a.compare(0, b.size(), b) == 0 && (b.back() == '\\' || a[b.size()] == '\\'));
}

}  // namespace copy_files_internal

bool CopyFiles(const std::string& sources, const std::string& destination, uint32_t flags, MessageService& messages,
               const CopyOptions& options) {
    if (options.answer != ReplaceAnswer::Ask) {
        // A preset answer is one the shell cannot take: the program copies by itself.
        if ((flags & 0x7F) != 0) return false;
        return copy_files_internal::CopyTree(sources, destination, messages, options);
    }
    const std::string from = copy_files_internal::ShellList(sources);
    const std::string to = copy_files_internal::ShellList(destination);
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = static_cast<HWND>(options.ownerWindow);
    operation.wFunc = static_cast<UINT>(2 - (flags & 0x7F));
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    operation.lpszProgressTitle = nullptr;
    return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace pellwise
