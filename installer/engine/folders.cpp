#include "installer/engine/folders.h"

#include "services/file_system.h"
#include "services/folder_listing.h"
#include "services/paths.h"

namespace pellwise {

namespace {

void Walk(const std::string& root, const std::string& relative, FolderTree& tree, int depth) {
    // Links that loop back would otherwise recurse without end.
    constexpr int kMaxDepth = 64;
    if (depth > kMaxDepth) return;
    const FolderListing listing(JoinPath(root, relative), "*", 0);
    for (const FolderEntry& entry : listing.Entries()) {
        const std::string path = relative.empty() ? entry.name : JoinPath(relative, entry.name);
        if (entry.attributes & kAttributeDirectory) {
            tree.Folders.push_back(path);
            Walk(root, path, tree, depth + 1);
        } else {
            tree.Files.push_back(path);
        }
    }
}

}  // namespace

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || DirectoryExists(folder)) return !folder.empty();
    const std::string parent = ParentFolder(folder);
    if (!parent.empty() && parent.size() < WithTrailingSeparator(folder).size() && !DirectoryExists(parent))
        MakeFolders(parent);
    return MakeOneFolder(folder) || DirectoryExists(folder);
}

FolderTree ListFolderTree(const std::string& folder) {
    FolderTree tree;
    if (DirectoryExists(folder)) Walk(folder, "", tree, 0);
    return tree;
}

}  // namespace pellwise
