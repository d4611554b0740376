#include <cerrno>
#include <cstring>

#include "services/system_error.h"

namespace pellwise {

namespace {

ReasonKind KindOf(int code) {
    switch (code) {
        case 0:
            return ReasonKind::Other;
        case EROFS:
            return ReasonKind::ReadOnly;
        case EACCES:
        case EPERM:
            return ReasonKind::AccessDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ReasonKind::NoSpace;
        case ENAMETOOLONG:
            return ReasonKind::NameTooLong;
        case ETXTBSY:
        case EBUSY:
        case EWOULDBLOCK:
            return ReasonKind::Locked;
        case ENOENT:
        case ENOTDIR:
            return ReasonKind::NotFound;
        default:
            return ReasonKind::Other;
    }
}

}  // namespace

SystemError SystemErrorFromCode(int code, const std::string& path) {
    return {KindOf(code), path, code == 0 ? std::string() : std::string(std::strerror(code))};
}

SystemError LastSystemError(const std::string& path) { return SystemErrorFromCode(errno, path); }

}  // namespace pellwise
