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
struct FolderTree {
    std::vector<std::string> Files;
    std::vector<std::string> Folders;
};
FolderTree ListFolderTree(const std::string& folder);

}  // namespace pellwise
