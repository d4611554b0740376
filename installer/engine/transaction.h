#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/engine/ledger.h"
#include "services/atomic_file.h"
#include "services/folder_lock.h"
#include "services/system_error.h"

namespace pellwise {

// A change of the game folder as one transaction. Every new file is first
// staged beside its target under a short temporary name, flushed; a journal
// in the game folder lists the plan; the originals are kept in
// pellwise-backup; then the staged files are put in place and the journal is
// removed. A run that dies leaves the journal, and the next start finishes
// the switch (when the journal says it had begun) or undoes the staging, so
// the game ends entirely as before or entirely changed.
inline constexpr std::string_view kJournalName = "pellwise-journal.txt";
inline constexpr std::string_view kLockedMessage = "another installation is running in this game folder";

enum class JournalKind { Install, Restore };

struct JournalStep {
    bool Remove = false;  // the target goes (a restore removes a file the install created)
    std::string Staged;   // relative to the game folder; empty for Remove
    std::string Target;
};

struct Journal {
    JournalKind Kind = JournalKind::Install;
    bool Switching = false;  // false: still staging
    InstallRecord Record;    // the install made, or the install undone
    std::vector<JournalStep> Steps;
};

std::string JournalPath(const std::string& gameDir);
std::string JournalText(const Journal& journal);
std::optional<Journal> ParseJournal(std::string_view text);

// What the start of a run found and did about an interrupted one.
struct Recovery {
    bool Pending = false;
    bool Finished = false;  // true: the switch was completed; false: the staging was undone
    JournalKind Kind = JournalKind::Install;
    std::string Mod;
    int Files = 0;
    SystemError Error;  // the journal could not be carried out; it stays for the next start
    // One sentence for the player; empty when nothing was pending.
    std::string Text() const;
};

// Finishes or undoes what a journal in the game folder describes. The caller
// holds the game's lock.
Recovery RecoverGame(const std::string& gameDir);

// The game's lock, with recovery done at once. Empty with the reason when
// another run holds the folder (Locked, with kLockedMessage) or the lock could
// not be taken.
struct GameSession {
    std::unique_ptr<FolderLock> Lock;
    bool Held = false;  // another run has the game folder
    SystemError Error;
    Recovery Recovered;
    explicit operator bool() const { return Lock != nullptr; }
};
GameSession OpenGameSession(const std::string& gameDir, bool recover = true);

// One transaction in the making.
class GameTransaction {
public:
    GameTransaction(std::string gameDir, JournalKind kind, InstallRecord record);
    ~GameTransaction();
    GameTransaction(const GameTransaction&) = delete;
    GameTransaction& operator=(const GameTransaction&) = delete;

    // A staged file's place beside `target` (relative): a short name, so a
    // target name near the system's limit still has room. Returns the full path.
    std::string Stage(const std::string& target);
    void RemoveOnSwitch(const std::string& target);
    // Folders the staging creates (install) or the switch removes when empty (restore).
    void AddFolder(const std::string& folder) { journal_.Record.Folders.push_back(folder); }
    // Drops the step of a staged file that will not be written after all.
    void Unstage(const std::string& target);

    // Writes the staged file `staged` (a path Stage gave) with the content, or
    // with a copy of `source`, hashing it as it goes. The disk's work is left
    // to run behind the rest of the staging; Commit flushes every staged file
    // before the switch.
    bool WriteStaged(const std::string& staged, const FileContent& content);
    bool CopyStaged(const std::string& source, const std::string& staged);
    // The target of `staged` as this run read it, so that keeping the
    // original needs no second read of it.
    void NoteOriginal(const std::string& staged, FileDigest digest);

    // Writes the journal before the first staged file.
    SystemError Begin();
    // Keeps the originals (install), writes the journal's switch, puts every
    // staged file in place, records the install in the ledger (or drops it)
    // and removes the journal. On a failure before the switch nothing has
    // changed; a failure within it puts the originals back.
    SystemError Commit();
    // Removes the staged files, the backups and the journal.
    void Abort();

    const InstallRecord& Record() const { return journal_.Record; }
    std::string FullPath(const std::string& relative) const;

private:
    SystemError FlushStaged();
    SystemError KeepOriginals();
    SystemError Switch();
    void PutOriginalsBack(size_t switched);

    // What the run knows of a staged file, by its full path.
    struct StagedFile {
        std::optional<FileDigest> Written;  // written by WriteStaged or CopyStaged, not yet flushed
        std::optional<FileDigest> Original;
    };

    std::string gameDir_;
    Journal journal_;
    std::map<std::string, StagedFile> staged_;
    int nextName_ = 0;
    bool begun_ = false;
    bool done_ = false;
};

// A hard link where the file system has them, so a backup costs no copy; a
// copy elsewhere (FAT32, exFAT). Creates the folders `to` needs.
bool LinkOrCopy(const std::string& from, const std::string& to);

// Removes every file and folder below `folder` and the folder itself.
void RemoveTree(const std::string& folder);

}  // namespace pellwise
