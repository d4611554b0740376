#include "installer/engine/virtual_store.h"

#include <cctype>
#include <optional>

#include "installer/engine/folders.h"
#include "installer/engine/ledger.h"
#include "installer/engine/transaction.h"
#include "services/file_system.h"
#include "services/message_service.h"
#include "services/paths.h"

namespace pellwise {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows compares these paths without regard to case or to the kind of separator.
bool SameChar(char a, char b) {
    if (IsSeparator(a) && IsSeparator(b)) return true;
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool StartsWithFolder(const std::string& path, std::string folder) {
    while (!folder.empty() && IsSeparator(folder.back())) folder.pop_back();
    if (folder.empty() || path.size() <= folder.size() || !IsSeparator(path[folder.size()])) return false;
    for (size_t i = 0; i < folder.size(); ++i)
        if (!SameChar(path[i], folder[i])) return false;
    return true;
}

std::string WithBackslashes(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

MessageText Question(const std::vector<VirtualStoreCopy>& copies) {
    MessageText text("Windows keeps an old copy of ");
    text += copies.size() == 1 ? "a file" : std::to_string(copies.size()) + " files";
    text += " of this installation in its VirtualStore, and the game would keep reading that old copy instead:\r";
    text += SystemName{copies.front().Copy};
    text += "\r\rMove the old copies into the game's pellwise-backup folder? A restore brings them back.";
    return text;
}

}  // namespace

std::string VirtualStoreCopyOf(const VirtualStoreFolders& folders, const std::string& path) {
    if (folders.LocalAppData.empty() || path.size() < 3 || path[1] != ':' || !IsSeparator(path[2])) return {};
    for (const std::string& programFiles : folders.ProgramFiles) {
        if (StartsWithFolder(path, programFiles))
            return WithBackslashes(
                JoinPath(WithTrailingSeparator(folders.LocalAppData) + "VirtualStore", path.substr(3)));
    }
    return {};
}

std::vector<VirtualStoreCopy> FindVirtualStoreCopies(const VirtualStoreFolders& folders, const std::string& gameDir,
                                                     const std::vector<std::string>& targets) {
    std::vector<VirtualStoreCopy> copies;
    for (const std::string& target : targets) {
        const std::string copy = VirtualStoreCopyOf(folders, WithBackslashes(JoinPath(gameDir, target)));
        if (!copy.empty() && FileExists(copy)) copies.push_back({target, copy});
    }
    return copies;
}

std::string VirtualStoreBackupName(const std::string& target) { return "virtual-store/" + target; }

std::vector<VirtualStoreCopy> MoveVirtualStoreCopies(const std::string& gameDir, int number,
                                                     const std::vector<VirtualStoreCopy>& copies, Answer& answer,
                                                     MessageService& messages) {
    if (copies.empty()) return {};
    if (answer == Answer::Ask)
        answer =
            messages.ShowMessageBox(Question(copies), kMbYesNo | kMbIconQuestion) == kIdYes ? Answer::Yes : Answer::No;
    if (answer != Answer::Yes) return {};
    std::optional<std::vector<InstallRecord>> records = ReadLedger(gameDir);
    if (!records || records->empty() || records->back().Number != number) return {};
    // Moved first, recorded after: a copy moved but not recorded is only
    // lost to the restore, never to the game, which reads the real file now.
    std::vector<VirtualStoreCopy> moved;
    for (const VirtualStoreCopy& copy : copies) {
        const std::string backup = BackupPathOf(gameDir, number, VirtualStoreBackupName(copy.Target));
        MakeFolders(ParentFolder(backup));
        if (!LinkOrCopy(copy.Copy, backup)) continue;
        if (!RemoveFile(copy.Copy)) {
            RemoveFile(backup);
            continue;
        }
        records->back().Moved.push_back({copy.Target, copy.Copy});
        moved.push_back(copy);
    }
    if (!moved.empty()) WriteLedger(gameDir, *records);
    return moved;
}

}  // namespace pellwise
