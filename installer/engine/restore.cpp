#include "installer/engine/restore.h"

#include <algorithm>

#include "installer/engine/folders.h"
#include "installer/engine/preflight.h"
#include "installer/engine/virtual_store.h"
#include "services/file_system.h"
#include "services/paths.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

constexpr uint64_t kSpareBytes = 1 << 20;

std::string Describe(const InstallRecord& r) {
    return "install " + std::to_string(r.Number) + " (" + r.Mod + ", " + r.Time + ")";
}

// The latest install after `record` that changed one of its files again.
std::string LaterToucher(const std::vector<InstallRecord>& records, const InstallRecord& record) {
    for (auto later = records.rbegin(); later != records.rend() && later->Number != record.Number; ++later)
        for (const FileChange& mine : record.Files)
            for (const FileChange& theirs : later->Files)
                if (theirs.Path == mine.Path)
                    return Describe(*later) + " changed " + mine.Path + " again; restore it first";
    return {};
}

RestoreOutcome Refuse(RestoreReport& report, std::string why) {
    report.Refusal = std::move(why);
    return report.Outcome = RestoreOutcome::Refused;
}

RestoreOutcome Fail(RestoreReport& report, SystemError error) {
    report.Error = std::move(error);
    return report.Outcome = RestoreOutcome::Failed;
}

RestoreOutcome Check(const std::string& gameDir, const RestoreOptions& options,
                     const std::vector<InstallRecord>& records, RestoreReport& report) {
    const auto found = std::find_if(records.rbegin(), records.rend(), [&](const InstallRecord& r) {
        return options.Mod.empty() || r.Mod == options.Mod;
    });
    if (found == records.rend()) return report.Outcome = RestoreOutcome::Nothing;
    report.Record = *found;
    if (std::string later = LaterToucher(records, report.Record); !later.empty())
        return Refuse(report, Describe(report.Record) + " cannot be restored: " + later);
    std::vector<std::string> targets;
    uint64_t needed = kSpareBytes;
    for (const FileChange& f : report.Record.Files) {
        const std::string path = JoinPath(gameDir, f.Path);
        const bool present = FileExists(path);
        const std::optional<FileDigest> now = present ? DigestOfFile(path) : std::nullopt;
        if (present && (!now || !(*now == f.After))) report.Changed.push_back(path);
        if (!present && f.Kind == ChangeKind::Replaced) report.Changed.push_back(path);
        if (f.Kind == ChangeKind::Replaced) {
            const std::string backup = BackupPathOf(gameDir, report.Record.Number, f.Path);
            if (!FileExists(backup)) return Fail(report, {ReasonKind::NotFound, backup, "the backup is missing"});
            needed += f.Before.Size;
        }
        targets.push_back(f.Path);
    }
    if (!report.Changed.empty() && !options.Force)
        return Refuse(report, "files changed since " + Describe(report.Record) +
                                  " (by a game update or another tool); --force puts the originals back anyway");
    if (SystemError error = CheckTargets(gameDir, targets, needed)) return Fail(report, std::move(error));
    return report.Outcome = RestoreOutcome::WouldRestore;
}

}  // namespace

std::string RestoreReport::Text() const {
    const std::string which = Record.Mod.empty() ? std::string("the install") : Record.Mod;
    switch (Outcome) {
        case RestoreOutcome::Restored:
            return "Restored the game as it was before " + Describe(Record) + ": " + std::to_string(Replaced) +
                   " files put back, " + std::to_string(Removed) + " removed" +
                   (CopiesPutBack > 0 ? ", " + std::to_string(CopiesPutBack) + " VirtualStore copies put back." : ".");
        case RestoreOutcome::WouldRestore:
            return "A restore would put the game back as it was before " + Describe(Record) + ": " +
                   std::to_string(Replaced) + " files put back, " + std::to_string(Removed) + " removed.";
        case RestoreOutcome::Nothing:
            return "There is no install to restore in this game folder.";
        case RestoreOutcome::Locked:
            return std::string(kLockedMessage);
        case RestoreOutcome::Refused: {
            std::string text = "Nothing was restored: " + Refusal;
            for (const std::string& path : Changed) text += "\r  changed: " + path;
            return text;
        }
        case RestoreOutcome::Failed:
            break;
    }
    return "Nothing was restored: " + Error.Text();
}

RestoreReport RestoreGame(const std::string& gameDir, const RestoreOptions& options, const GameSession* held) {
    RestoreReport report;
    GameSession own;
    if (!held) own = OpenGameSession(WithTrailingSeparator(gameDir));
    const GameSession& session = held ? *held : own;
    if (!held) report.Recovered = session.Recovered;
    if (session.Held) {
        report.Outcome = RestoreOutcome::Locked;
        return report;
    }
    if (!session) {
        Fail(report, session.Error);
        return report;
    }
    if (session.Recovered.Error) {
        Fail(report, session.Recovered.Error);
        return report;
    }
    const std::optional<std::vector<InstallRecord>> records = ReadLedger(gameDir);
    if (!records) {
        Fail(report, {ReasonKind::Other, LedgerPath(gameDir), "the backup ledger cannot be read"});
        return report;
    }
    if (Check(gameDir, options, *records, report) != RestoreOutcome::WouldRestore) return report;
    for (const FileChange& f : report.Record.Files)
        ++(f.Kind == ChangeKind::Replaced ? report.Replaced : report.Removed);
    if (options.DryRun) return report;

    GameTransaction txn(gameDir, JournalKind::Restore, report.Record);
    std::vector<std::pair<std::string, std::string>> copies;  // backup, staged
    for (const FileChange& f : report.Record.Files) {
        if (f.Kind == ChangeKind::Created) {
            txn.RemoveOnSwitch(f.Path);
        } else {
            copies.emplace_back(BackupPathOf(gameDir, report.Record.Number, f.Path), txn.Stage(f.Path));
        }
    }
    if (SystemError error = txn.Begin()) {
        Fail(report, std::move(error));
        return report;
    }
    for (const auto& [backup, staged] : copies) {
        if (!LinkOrCopy(backup, staged)) {
            Fail(report, LastSystemError(staged));
            txn.Abort();
            return report;
        }
    }
    // The old VirtualStore copies go back before the commit removes the
    // backups; a copy the game wrote there since is newer and stays.
    std::vector<std::string> putBack;
    for (const MovedCopy& m : report.Record.Moved) {
        if (FileExists(m.From)) continue;
        MakeFolders(ParentFolder(m.From));
        if (LinkOrCopy(BackupPathOf(gameDir, report.Record.Number, VirtualStoreBackupName(m.Target)), m.From))
            putBack.push_back(m.From);
    }
    if (SystemError error = txn.Commit()) {
        for (const std::string& path : putBack) RemoveFile(path);
        Fail(report, std::move(error));
        return report;
    }
    report.CopiesPutBack = static_cast<int>(putBack.size());
    report.Outcome = RestoreOutcome::Restored;
    return report;
}

GameStatus ReadGameStatus(const std::string& gameDir) {
    GameStatus status;
    const std::optional<std::vector<InstallRecord>> records = ReadLedger(gameDir);
    status.LedgerUnreadable = !records;
    if (records) status.Installs = *records;
    const std::string journal = JournalPath(gameDir);
    status.JournalPending = FileExists(journal);
    if (status.JournalPending) {
        if (const auto bytes = ReadWholeFile(journal))
            status.Pending =
                ParseJournal(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    }
    // Only looks: the lock is let go at once, and nothing is recovered.
    status.Running = OpenGameSession(gameDir, false).Held;
    return status;
}

}  // namespace pellwise
