#pragma once

#include <string>
#include <vector>

namespace pellwise {

// Creates the folder and every missing folder above it. True when the folder
// exists afterwards.
bool MakeFolders(const std::string& folder);

// Creates one folder whose parent exists (platform part of MakeFolders).
bool MakeOneFolder(const std::string& folder);

// Every file below `folder`, as paths relative to it (platform separators),
// and every sub-folder likewise, in listing order, depth first.
// Links (symbolic links, junctions) are not followed, so no loop is possible;
// they are listed apart, neither as files nor as folders.
struct FolderTree {
    std::vector<std::string> Files;
    std::vector<std::string> Folders;
    std::vector<std::string> Links;
};
FolderTree ListFolderTree(const std::string& folder);

// `folder` joined with `relative`, each name of `relative` spelt as the
// folder on disk spells it where only the letter case differs, as Windows
// (and the game under Wine) would find it; names not found stay as given.
// A trailing separator of `relative` is kept.
std::string PathInAnyCase(const std::string& folder, const std::string& relative);

// Whether the path itself is a link (platform part of ListFolderTree).
bool IsLink(const std::string& path);

}  // namespace pellwise
