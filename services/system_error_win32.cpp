#include <windows.h>

#include "services/system_error.h"

namespace pellwise {

namespace {

ReasonKind KindOf(DWORD code) {
    switch (code) {
        case ERROR_SUCCESS:
            return ReasonKind::Other;
        case ERROR_WRITE_PROTECT:
            return ReasonKind::ReadOnly;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return ReasonKind::AccessDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ReasonKind::NoSpace;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW:
            return ReasonKind::NameTooLong;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return ReasonKind::Locked;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ReasonKind::NotFound;
        default:
            return ReasonKind::Other;
    }
}

std::string MessageOf(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message(text ? text : "", n);
    if (text) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == '.' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace

SystemError SystemErrorFromCode(int code, const std::string& path) {
    const DWORD error = static_cast<DWORD>(code);
    return {KindOf(error), path, error == ERROR_SUCCESS ? std::string() : MessageOf(error)};
}

SystemError LastSystemError(const std::string& path) {
    return SystemErrorFromCode(static_cast<int>(GetLastError()), path);
}

}  // namespace pellwise
