#include <windows.h>

#include "services/atomic_file_platform.h"

namespace pellwise::atomic_file_platform {

namespace {

// Attributes that describe the file rather than its state; read-only never
// reaches this point, because a read-only target is not replaced.
constexpr DWORD kCarriedAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

TargetState InspectTarget(const std::string& path) {
    TargetState state;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return state;
    state.exists = true;
    state.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    state.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    state.keptBits = attributes & kCarriedAttributes;
    return state;
}

void CarryOver(const std::string& temporary, const TargetState& target) {
    if (target.keptBits != 0) SetFileAttributesA(temporary.c_str(), target.keptBits);
}

bool ReplaceTarget(const std::string& temporary, const std::string& target) {
    return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace pellwise::atomic_file_platform
