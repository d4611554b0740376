#include <windows.h>

#include "services/folder_listing_platform.h"

namespace pellwise::folder_listing_platform {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return h_; }

private:
    HANDLE h_;
};

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
    if (find.Get() == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back(EntryOf(data));
    } while (FindNextFileA(find.Get(), &data));
    return entries;
}

}  // namespace pellwise::folder_listing_platform
