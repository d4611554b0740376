#include "services/system_error.h"

namespace pellwise {

const char* ReasonWords(ReasonKind kind) {
    switch (kind) {
        case ReasonKind::None:
            return "no error";
        case ReasonKind::ReadOnly:
            return "read-only";
        case ReasonKind::AccessDenied:
            return "access denied";
        case ReasonKind::NoSpace:
            return "no space left on the disk";
        case ReasonKind::NameTooLong:
            return "name too long";
        case ReasonKind::Locked:
            return "locked by another program";
        case ReasonKind::NotFound:
            return "not found";
        case ReasonKind::Other:
            break;
    }
    return "could not be written";
}

std::string SystemError::Text() const {
    std::string text = Path + ": " + ReasonWords(Kind);
    if (!Detail.empty()) text += " (" + Detail + ")";
    return text;
}

}  // namespace pellwise
