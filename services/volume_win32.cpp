#include <windows.h>

#include "services/paths.h"
#include "services/volume.h"

namespace pellwise {

std::optional<uint64_t> FreeBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

// NTFS, FAT32 (long names) and exFAT all take 255 characters per name. The
// volume's own figure would need GetVolumeInformation on its root, which
// Wine refuses (with a line on stderr) for its Z: drive.
size_t NameLimit(const std::string&) { return 255; }

bool MakeHardLink(const std::string& existing, const std::string& link) {
    return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) != 0;
}

SystemError CheckReplaceable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastSystemError(path);
    if (attributes & FILE_ATTRIBUTE_READONLY) return {ReasonKind::ReadOnly, path, {}};
    // A program that holds the file open without FILE_SHARE_DELETE keeps it
    // from being replaced; asking for DELETE access finds that out.
    const HANDLE file = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastSystemError(path);
    CloseHandle(file);
    return {};
}

SystemError CheckWritableFolder(const std::string& folder) {
    const std::string probe = JoinPath(WithTrailingSeparator(folder), "~pellwise-probe.tmp");
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastSystemError(folder);
    CloseHandle(file);
    return {};
}

bool RemoveEmptyFolder(const std::string& folder) { return RemoveDirectoryA(folder.c_str()) != 0; }

void FlushFolder(const std::string&) {}

}  // namespace pellwise
