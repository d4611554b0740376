#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "services/folder_listing_platform.h"
#include "services/text_codec.h"

namespace pellwise::folder_listing_platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// What Windows would report for the entry: the archive bit on files, the
// folder bit on folders, read-only without any write permission, hidden for
// a dot name. Other kinds of entry (sockets, devices, broken links) are none
// of the two and are left out.
bool Describe(const std::string& folder, const std::string& name, FolderEntry& entry) {
    struct stat st {};
    if (stat((folder + name).c_str(), &st) != 0) return false;
    if (S_ISREG(st.st_mode)) {
        entry.attributes = kAttributeArchive;
        entry.size = static_cast<uint64_t>(st.st_size);
    } else if (S_ISDIR(st.st_mode)) {
        entry.attributes = kAttributeDirectory;
    } else {
        return false;
    }
    if ((st.st_mode & 0222) == 0) entry.attributes |= kAttributeReadOnly;
    if (name[0] == '.') entry.attributes |= kAttributeHidden;
    entry.name = name;
    return true;
}

}  // namespace

std::vector<FolderEntry> Enumerate(const std::string& folder, const std::string& /*mask*/) {
    std::vector<FolderEntry> entries;
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return entries;
    while (const dirent* d = readdir(dir.get())) {
        FolderEntry entry;
        if (Describe(folder, d->d_name, entry)) entries.push_back(std::move(entry));
    }
    // readdir's order depends on the file system and on the history of the
    // folder, so the same files could come out in another order on the next
    // machine, and missions would be listed and patched in another order.
    // Sorting by the upper-cased name gives one order everywhere, close to the
    // one NTFS gives (it compares upper-cased names too). Names equal but for
    // case, which a POSIX file system allows, keep a fixed order as well.
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        const std::string ua = UpperCase(a.name), ub = UpperCase(b.name);
        return ua != ub ? ua < ub : a.name < b.name;
    });
    return entries;
}

}  // namespace pellwise::folder_listing_platform
