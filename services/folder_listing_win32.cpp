#include <windows.h>

#include "services/folder_listing_platform.h"
#include "services/win32_handles.h"

namespace pellwise::folder_listing_platform {

namespace {

FolderEntry EntryOf(const WIN32_FIND_DATAA& data) {
    FolderEntry entry;
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return entry;
}

}  // namespace

std::vector<FolderEntry> Enumerate(const std::string& folder, const std::string& mask) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data{};
    const FindHandle find(FindFirstFileA((folder + mask).c_str(), &data));
    if (!find) return entries;
    do {
        entries.push_back(EntryOf(data));
    } while (FindNextFileA(find.Get(), &data));
    return entries;
}

}  // namespace pellwise::folder_listing_platform
