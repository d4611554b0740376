#pragma once

#include <string>
#include <vector>

#include "gamedata/answer.h"

namespace pellwise {

class MessageService;

// Windows keeps what a 32-bit program without a manifest wrote under Program
// Files without rights in the user's VirtualStore, and that program (the
// game) then reads the copy there instead of the real file. An old copy
// would hide everything an install writes.
struct VirtualStoreFolders {
    std::string LocalAppData;               // %LOCALAPPDATA%
    std::vector<std::string> ProgramFiles;  // "Program Files" and "Program Files (x86)"
};

// The system's folders; none where the system has no VirtualStore.
VirtualStoreFolders SystemVirtualStoreFolders();

// The copy the game would read instead of `path`: the path without its drive
// below LocalAppData\VirtualStore. Empty when `path` lies under none of the
// Program Files folders.
std::string VirtualStoreCopyOf(const VirtualStoreFolders& folders, const std::string& path);

struct VirtualStoreCopy {
    std::string Target;  // relative to the game folder, '/' between names
    std::string Copy;    // the copy's full path
};

// The copies that exist for the given targets.
std::vector<VirtualStoreCopy> FindVirtualStoreCopies(const VirtualStoreFolders& folders, const std::string& gameDir,
                                                     const std::vector<std::string>& targets);

// Where install `number` keeps a moved copy of `target`, below its backup folder.
std::string VirtualStoreBackupName(const std::string& target);

// Asks (unless `preset` answers) whether the copies go into install
// `number`'s backup, moves them there and records them in its ledger
// record so that restore puts them back. The copies moved.
std::vector<VirtualStoreCopy> MoveVirtualStoreCopies(const std::string& gameDir, int number,
                                                     const std::vector<VirtualStoreCopy>& copies, Answer& answer,
                                                     MessageService& messages);

}  // namespace pellwise
