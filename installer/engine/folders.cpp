#include "installer/engine/folders.h"

#include "services/file_system.h"
#include "services/folder_listing.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

void Walk(const std::string& root, const std::string& relative, FolderTree& tree) {
    const FolderListing listing(JoinPath(root, relative), "*", 0);
    for (const FolderEntry& entry : listing.Entries()) {
        const std::string path = relative.empty() ? entry.name : JoinPath(relative, entry.name);
        if (IsLink(JoinPath(root, path))) {
            tree.Links.push_back(path);
        } else if (entry.attributes & kAttributeDirectory) {
            tree.Folders.push_back(path);
            Walk(root, path, tree);
        } else {
            tree.Files.push_back(path);
        }
    }
}

// The entry of `folder` named `name` but for letter case; `name` when none is.
std::string NameOnDisk(const std::string& folder, const std::string& name) {
    if (FileExists(JoinPath(folder, name)) || DirectoryExists(JoinPath(folder, name))) return name;
    const std::string upper = UpperCase(name);
    const FolderListing listing(folder, "*", 0);
    for (const FolderEntry& entry : listing.Entries())
        if (UpperCase(entry.name) == upper) return entry.name;
    return name;
}

}  // namespace

std::string PathInAnyCase(const std::string& folder, const std::string& relative) {
    std::string path = WithTrailingSeparator(folder);
    size_t at = 0;
    while (at < relative.size()) {
        size_t end = relative.find_first_of("/\\", at);
        if (end == std::string::npos) end = relative.size();
        if (end > at) {
            path = JoinPath(path, NameOnDisk(path, relative.substr(at, end - at)));
            if (end < relative.size()) path = WithTrailingSeparator(path);
        }
        at = end + 1;
    }
    return path;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || DirectoryExists(folder)) return !folder.empty();
    const std::string parent = ParentFolder(folder);
    if (!parent.empty() && parent.size() < WithTrailingSeparator(folder).size() && !DirectoryExists(parent))
        MakeFolders(parent);
    return MakeOneFolder(folder) || DirectoryExists(folder);
}

FolderTree ListFolderTree(const std::string& folder) {
    FolderTree tree;
    if (DirectoryExists(folder)) Walk(folder, "", tree);
    return tree;
}

}  // namespace pellwise
