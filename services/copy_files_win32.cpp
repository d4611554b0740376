#include <windows.h>
// shellapi.h builds on the types of windows.h.
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "services/copy_files_internal.h"
#include "services/text_codec.h"
#include "services/win32_text.h"

namespace pellwise {

namespace copy_files_internal {

namespace {

// The form in which two paths to the same folder compare equal.
std::string ComparablePath(const std::string& path) {
    std::string full = FullPathName(path);
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
    const std::string a = ComparablePath(inner), b = ComparablePath(outer);
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
