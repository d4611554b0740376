#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/checksum.h"

namespace pellwise {

// Every install keeps the game's originals in one folder of the game,
// pellwise-backup, with a ledger in plain text a player can read: each install
// with its mod and time, and each file it replaced or created with size and
// CRC-32C before and after. Install N keeps its originals in pellwise-backup/N/.
inline constexpr std::string_view kBackupFolder = "pellwise-backup";
inline constexpr std::string_view kLedgerName = "ledger.txt";

enum class ChangeKind { Replaced, Created };

struct FileChange {
    ChangeKind Kind = ChangeKind::Created;
    std::string Path;   // relative to the game folder, '/' between names
    FileDigest Before;  // Replaced only
    FileDigest After;
};

// An old VirtualStore copy of a file the install wrote, moved into the
// install's backup (virtual-store/ + Target) so that restore puts it back.
struct MovedCopy {
    std::string Target;  // relative to the game folder, '/' between names
    std::string From;    // where the copy was, full path
};

struct InstallRecord {
    int Number = 0;
    std::string Time;  // local time, "YYYY-MM-DD HH:MM:SS"
    std::string Mod;
    std::vector<FileChange> Files;
    std::vector<std::string> Folders;  // folders the install created, parents first
    std::vector<MovedCopy> Moved;
};

std::string BackupFolder(const std::string& gameDir);
std::string LedgerPath(const std::string& gameDir);
// Where install `number` keeps the original of `path`.
std::string BackupPathOf(const std::string& gameDir, int number, const std::string& path);

// A record as lines of the ledger (also used by the journal).
void AppendRecordText(std::string& text, const InstallRecord& record);
std::string LedgerText(const std::vector<InstallRecord>& records);
// Reads the records from ledger or journal text; lines it does not know are
// skipped. Nothing when a record is cut short or a number is not one.
std::optional<std::vector<InstallRecord>> ParseRecords(std::string_view text);

// The ledger of the game, oldest install first; an empty list when there is
// none. Nothing when it exists but cannot be read.
std::optional<std::vector<InstallRecord>> ReadLedger(const std::string& gameDir);
bool WriteLedger(const std::string& gameDir, const std::vector<InstallRecord>& records);

// A relative path of the platform as the ledger writes it.
std::string LedgerPathText(std::string_view relative);
std::string LocalTimeText();

}  // namespace pellwise
