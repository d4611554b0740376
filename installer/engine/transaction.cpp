#include "installer/engine/transaction.h"

#include <algorithm>
#include <set>

#include "installer/engine/folders.h"
#include "services/atomic_file.h"
#include "services/file_stream.h"
#include "services/file_system.h"
#include "services/paths.h"
#include "services/volume.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

constexpr std::string_view kJournalHead = "pellwise journal\n";

std::string FolderPart(const std::string& relative) {
    const size_t slash = relative.find_last_of('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash + 1);
}

SystemError WriteJournal(const std::string& gameDir, const Journal& journal) {
    const std::string path = JournalPath(gameDir);
    if (WriteFileAtomically(path, JournalText(journal)) == AtomicWriteStatus::Ok) return {};
    SystemError error = LastSystemError(path);
    if (!error) error.Kind = ReasonKind::Other;
    return error;
}

void RemoveEmptyFolders(const std::string& gameDir, std::vector<std::string> folders) {
    // Deepest first, so a folder is empty when its turn comes.
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) { return a > b; });
    for (const std::string& folder : folders) RemoveEmptyFolder(JoinPath(gameDir, folder));
}

bool DropRecord(const std::string& gameDir, int number) {
    std::optional<std::vector<InstallRecord>> records = ReadLedger(gameDir);
    if (!records) return false;
    const auto gone = std::remove_if(records->begin(), records->end(),
                                     [number](const InstallRecord& r) { return r.Number == number; });
    if (gone == records->end()) return true;
    records->erase(gone, records->end());
    if (!records->empty()) return WriteLedger(gameDir, *records);
    // The last install undone: the game folder is as before Pellwise came.
    RemoveFile(LedgerPath(gameDir));
    RemoveEmptyFolder(BackupFolder(gameDir));
    return true;
}

bool AddRecord(const std::string& gameDir, const InstallRecord& record) {
    std::optional<std::vector<InstallRecord>> records = ReadLedger(gameDir);
    if (!records) return false;
    for (const InstallRecord& r : *records)
        if (r.Number == record.Number) return true;
    records->push_back(record);
    return WriteLedger(gameDir, *records);
}

// What follows the switch: the ledger brought up to date, and for a restore
// the backups and the install's folders gone. Safe to repeat.
bool FinishSwitch(const std::string& gameDir, const Journal& journal) {
    if (journal.Kind == JournalKind::Install) return AddRecord(gameDir, journal.Record);
    RemoveTree(WithTrailingSeparator(JoinPath(BackupFolder(gameDir), std::to_string(journal.Record.Number))));
    RemoveEmptyFolders(gameDir, journal.Record.Folders);
    return DropRecord(gameDir, journal.Record.Number);
}

// The digest of a kept original: as the run read it while the kept file still
// has that size, else read again.
std::optional<FileDigest> KeptDigest(const std::string& backup, const std::optional<FileDigest>& read) {
    if (read && FileStream::OpenForReading(backup).Size() == read->Size) return read;
    return DigestOfFile(backup);
}

void UndoStaging(const std::string& gameDir, const Journal& journal) {
    for (const JournalStep& step : journal.Steps) {
        if (step.Remove) continue;
        // Earlier versions put a staged file together under a temporary name of its own.
        RemoveStaleTemporary(JoinPath(gameDir, step.Staged));
        RemoveFile(JoinPath(gameDir, step.Staged));
    }
    if (journal.Kind == JournalKind::Install) {
        RemoveTree(WithTrailingSeparator(JoinPath(BackupFolder(gameDir), std::to_string(journal.Record.Number))));
        RemoveEmptyFolders(gameDir, journal.Record.Folders);
        // The backup folder itself, when this was to be its first install.
        RemoveEmptyFolder(BackupFolder(gameDir));
    }
}

}  // namespace

std::string JournalPath(const std::string& gameDir) { return JoinPath(gameDir, std::string(kJournalName)); }

std::string JournalText(const Journal& journal) {
    std::string text(kJournalHead);
    text += journal.Kind == JournalKind::Install ? "kind\tinstall\n" : "kind\trestore\n";
    text += journal.Switching ? "state\tswitching\n" : "state\tstaging\n";
    for (const JournalStep& step : journal.Steps)
        text += step.Remove ? "remove\t" + step.Target + "\n" : "put\t" + step.Staged + "\t" + step.Target + "\n";
    AppendRecordText(text, journal.Record);
    return text;
}

std::optional<Journal> ParseJournal(std::string_view text) {
    if (!text.starts_with(kJournalHead)) return std::nullopt;
    Journal journal;
    bool kind = false, state = false;
    for (std::string_view rest = text; !rest.empty();) {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line == "kind\tinstall" || line == "kind\trestore") {
            journal.Kind = line == "kind\tinstall" ? JournalKind::Install : JournalKind::Restore;
            kind = true;
        } else if (line == "state\tstaging" || line == "state\tswitching") {
            journal.Switching = line == "state\tswitching";
            state = true;
        } else if (line.starts_with("remove\t")) {
            journal.Steps.push_back({true, {}, std::string(line.substr(7))});
        } else if (line.starts_with("put\t")) {
            const std::string_view both = line.substr(4);
            const size_t tab = both.find('\t');
            if (tab == std::string_view::npos) return std::nullopt;
            journal.Steps.push_back({false, std::string(both.substr(0, tab)), std::string(both.substr(tab + 1))});
        }
    }
    std::optional<std::vector<InstallRecord>> records = ParseRecords(text);
    if (!kind || !state || !records || records->size() != 1) return std::nullopt;
    journal.Record = std::move(records->front());
    return journal;
}

std::string Recovery::Text() const {
    if (!Pending) return {};
    const std::string what = std::string(Kind == JournalKind::Install ? "install" : "restore") + " of " + Mod;
    if (Error) return "Pellwise could not finish the interrupted " + what + ": " + Error.Text();
    if (!Finished)
        return "Pellwise undid the interrupted " + what +
               (Kind == JournalKind::Install ? ": the game's files are as they were before it."
                                             : ": the installed files stay.");
    return "Pellwise finished the interrupted " + what + ": " + std::to_string(Files) +
           (Kind == JournalKind::Install ? " files put in place." : " files put back.");
}

Recovery RecoverGame(const std::string& gameDir) {
    Recovery recovery;
    const std::string path = JournalPath(gameDir);
    // A journal or ledger that was being written when the run died is not
    // one yet: the one before it (or none) holds.
    RemoveStaleTemporary(path);
    RemoveStaleTemporary(LedgerPath(gameDir));
    if (!FileExists(path)) return recovery;
    recovery.Pending = true;
    const auto bytes = ReadWholeFile(path);
    const std::optional<Journal> journal =
        bytes ? ParseJournal(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))
              : std::nullopt;
    if (!journal) {
        recovery.Mod = "an unknown mod";
        recovery.Error = {ReasonKind::Other, path, "the journal cannot be read"};
        return recovery;
    }
    recovery.Kind = journal->Kind;
    recovery.Mod = journal->Record.Mod;
    recovery.Files = static_cast<int>(journal->Steps.size());
    if (!journal->Switching) {
        UndoStaging(gameDir, *journal);
    } else {
        recovery.Finished = true;
        for (const JournalStep& step : journal->Steps) {
            const std::string target = JoinPath(gameDir, step.Target);
            if (step.Remove) {
                RemoveFile(target);
                continue;
            }
            // A staged file that is gone was put in place before the run died.
            const std::string staged = JoinPath(gameDir, step.Staged);
            if (FileExists(staged) && !MoveReplacing(staged, target)) {
                recovery.Error = LastSystemError(target);
                return recovery;
            }
        }
        if (!FinishSwitch(gameDir, *journal)) {
            recovery.Error = {ReasonKind::Other, LedgerPath(gameDir), "the ledger cannot be written"};
            return recovery;
        }
    }
    RemoveFile(path);
    return recovery;
}

GameSession OpenGameSession(const std::string& gameDir, bool recover) {
    GameSession session;
    FolderLock::Outcome outcome = FolderLock::Outcome::Failed;
    session.Lock = FolderLock::Acquire(gameDir, outcome, session.Error);
    session.Held = outcome == FolderLock::Outcome::Held;
    if (session.Lock && recover) session.Recovered = RecoverGame(gameDir);
    return session;
}

bool LinkOrCopy(const std::string& from, const std::string& to) {
    MakeFolders(ParentFolder(to));
    if (MakeHardLink(from, to)) return true;
    return CopyFileAtomically(from, to) == AtomicWriteStatus::Ok;
}

void RemoveTree(const std::string& folder) {
    if (!DirectoryExists(folder)) return;
    const FolderTree tree = ListFolderTree(folder);
    for (const std::string& file : tree.Files) RemoveFile(JoinPath(folder, file));
    for (auto it = tree.Folders.rbegin(); it != tree.Folders.rend(); ++it) RemoveEmptyFolder(JoinPath(folder, *it));
    RemoveEmptyFolder(folder);
}

GameTransaction::GameTransaction(std::string gameDir, JournalKind kind, InstallRecord record)
    : gameDir_(WithTrailingSeparator(std::move(gameDir))) {
    journal_.Kind = kind;
    journal_.Record = std::move(record);
}

GameTransaction::~GameTransaction() {
    if (begun_ && !done_) Abort();
}

std::string GameTransaction::FullPath(const std::string& relative) const { return JoinPath(gameDir_, relative); }

std::string GameTransaction::Stage(const std::string& target) {
    const std::string staged = FolderPart(target) + "~pw" + std::to_string(nextName_++) + ".pellwise-stage";
    journal_.Steps.push_back({false, staged, target});
    return FullPath(staged);
}

void GameTransaction::RemoveOnSwitch(const std::string& target) { journal_.Steps.push_back({true, {}, target}); }

void GameTransaction::Unstage(const std::string& target) {
    auto& steps = journal_.Steps;
    for (auto it = steps.begin(); it != steps.end(); ++it) {
        if (it->Remove || it->Target != target) continue;
        RemoveFile(FullPath(it->Staged));
        staged_.erase(FullPath(it->Staged));
        steps.erase(it);
        return;
    }
}

bool GameTransaction::WriteStaged(const std::string& staged, const FileContent& content) {
    FileDigest written;
    if (StreamStagedFile(staged, content, written) != AtomicWriteStatus::Ok) return false;
    staged_[staged].Written = written;
    return true;
}

bool GameTransaction::CopyStaged(const std::string& source, const std::string& staged) {
    FileDigest written;
    if (CopyToStagedFile(source, staged, written) != AtomicWriteStatus::Ok) return false;
    staged_[staged].Written = written;
    return true;
}

void GameTransaction::NoteOriginal(const std::string& staged, FileDigest digest) { staged_[staged].Original = digest; }

// Every staged file is on the disk, under its name, before the journal says
// the switch has begun: the switch must never put a file in place that a
// power cut could leave empty.
SystemError GameTransaction::FlushStaged() {
    std::set<std::string> folders;
    for (const auto& [path, file] : staged_) {
        if (!file.Written) continue;
        if (!FlushWrittenFile(path)) return LastSystemError(path);
        folders.insert(ParentFolder(path));
    }
    for (const std::string& folder : folders) FlushFolder(folder);
    return {};
}

SystemError GameTransaction::Begin() {
    SystemError error = WriteJournal(gameDir_, journal_);
    begun_ = !error;
    return error;
}

SystemError GameTransaction::KeepOriginals() {
    std::vector<FileChange>& files = journal_.Record.Files;
    files.clear();
    for (const JournalStep& step : journal_.Steps) {
        FileChange change;
        change.Path = step.Target;
        const std::string target = FullPath(step.Target);
        const std::string staged = FullPath(step.Staged);
        const auto known = staged_.find(staged);
        const StagedFile noted = known != staged_.end() ? known->second : StagedFile{};
        const std::optional<FileDigest> after = noted.Written ? noted.Written : DigestOfFile(staged);
        if (!after) return LastSystemError(staged);
        change.After = *after;
        if (FileExists(target)) {
            change.Kind = ChangeKind::Replaced;
            const std::string backup = BackupPathOf(gameDir_, journal_.Record.Number, step.Target);
            if (!LinkOrCopy(target, backup)) return LastSystemError(backup);
            const std::optional<FileDigest> before = KeptDigest(backup, noted.Original);
            if (!before) return LastSystemError(backup);
            change.Before = *before;
        }
        files.push_back(std::move(change));
    }
    return {};
}

void GameTransaction::PutOriginalsBack(size_t switched) {
    for (size_t i = 0; i < switched; ++i) {
        const JournalStep& step = journal_.Steps[i];
        const std::string target = FullPath(step.Target);
        if (journal_.Record.Files[i].Kind == ChangeKind::Created) {
            RemoveFile(target);
            continue;
        }
        const std::string backup = BackupPathOf(gameDir_, journal_.Record.Number, step.Target);
        const std::string staged = FullPath(step.Staged);
        if (LinkOrCopy(backup, staged)) MoveReplacing(staged, target);
    }
}

SystemError GameTransaction::Switch() {
    for (size_t i = 0; i < journal_.Steps.size(); ++i) {
        const JournalStep& step = journal_.Steps[i];
        const std::string target = FullPath(step.Target);
        const bool ok =
            step.Remove ? (RemoveFile(target) || !FileExists(target)) : MoveReplacing(FullPath(step.Staged), target);
        if (ok) continue;
        SystemError error = LastSystemError(target);
        // An install has the originals at hand and goes back to them; a
        // restore has nothing to go back to and is finished at the next start.
        if (journal_.Kind == JournalKind::Install) {
            PutOriginalsBack(i);
            journal_.Switching = false;
            WriteJournal(gameDir_, journal_);
        }
        return error;
    }
    return {};
}

SystemError GameTransaction::Commit() {
    if (SystemError error = FlushStaged()) return error;
    if (journal_.Kind == JournalKind::Install) {
        if (SystemError error = KeepOriginals()) return error;
    }
    journal_.Switching = true;
    if (SystemError error = WriteJournal(gameDir_, journal_)) {
        journal_.Switching = false;
        return error;
    }
    if (SystemError error = Switch()) {
        if (journal_.Kind == JournalKind::Restore) done_ = true;
        return error;
    }
    done_ = true;
    if (!FinishSwitch(gameDir_, journal_))
        return {ReasonKind::Other, LedgerPath(gameDir_), "the ledger cannot be written"};
    RemoveFile(JournalPath(gameDir_));
    return {};
}

void GameTransaction::Abort() {
    if (done_) return;
    done_ = true;
    UndoStaging(gameDir_, journal_);
    RemoveFile(JournalPath(gameDir_));
}

}  // namespace pellwise
