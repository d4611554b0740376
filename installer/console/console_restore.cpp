// The commands that look after the game folder rather than install into it:
// restore, status and recover.
#include <ostream>

#include "installer/console/console_args.h"
#include "installer/console/native_text.h"
#include "installer/engine/restore.h"
#include "installer/engine/transaction.h"
#include "services/paths.h"

namespace pellwise {

namespace {

// Reads "--game DIR" and the flags named; false after a usage error.
bool ReadGameArgs(const std::vector<std::string>& args, ConsoleIo& io, const std::string& command, bool restore,
                  std::string& gameDir, RestoreOptions& options) {
    ArgReader reader(args);
    std::string game;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        if (arg == "--game") {
            game = reader.Value();
        } else if (restore && arg == "--mod") {
            options.Mod = NativeFromUtf8(reader.Value());
        } else if (restore && arg == "--force") {
            options.Force = true;
        } else if (restore && arg == "--dry-run") {
            options.DryRun = true;
        } else {
            reader.Fail("unknown option '" + arg + "' for " + command);
        }
    }
    if (!reader.Failed() && game.empty()) reader.Fail(command + " needs --game DIR");
    if (reader.Failed()) {
        UsageError(io, reader.Error());
        return false;
    }
    gameDir = FolderArgument(game, io);
    return true;
}

void PrintRecovery(std::ostream& out, const Recovery& recovery) {
    if (recovery.Pending) out << NativeToUtf8(recovery.Text()) << '\n';
}

std::string Counts(const InstallRecord& r) {
    int replaced = 0, created = 0;
    for (const FileChange& f : r.Files) ++(f.Kind == ChangeKind::Replaced ? replaced : created);
    return std::to_string(replaced) + " replaced, " + std::to_string(created) + " created";
}

}  // namespace

int RunRestore(const std::vector<std::string>& args, ConsoleIo& io) {
    std::string gameDir;
    RestoreOptions options;
    if (!ReadGameArgs(args, io, "restore", true, gameDir, options)) return kExitUsage;
    const RestoreReport report = RestoreGame(gameDir, options);
    PrintRecovery(io.Out, report.Recovered);
    std::string text = report.Text();
    for (char& c : text)
        if (c == '\r') c = '\n';
    io.Out << NativeToUtf8(text) << '\n';
    return report.Ok() || report.Outcome == RestoreOutcome::Nothing ? kExitOk : kExitFailed;
}

int RunStatus(const std::vector<std::string>& args, ConsoleIo& io) {
    std::string gameDir;
    RestoreOptions unused;
    if (!ReadGameArgs(args, io, "status", false, gameDir, unused)) return kExitUsage;
    const GameStatus status = ReadGameStatus(gameDir);
    if (status.LedgerUnreadable) {
        io.Out << "The backup ledger " << NativeToUtf8(LedgerPath(gameDir)) << " cannot be read.\n";
    } else if (status.Installs.empty()) {
        io.Out << "No installs are recorded in " << NativeToUtf8(BackupFolder(gameDir)) << ".\n";
    } else {
        io.Out << "Installs recorded in " << NativeToUtf8(BackupFolder(gameDir)) << ", latest last:\n";
        for (const InstallRecord& r : status.Installs)
            io.Out << "  " << r.Number << "  " << r.Time << "  " << NativeToUtf8(r.Mod) << "  (" << Counts(r) << ")\n";
    }
    if (status.Running) {
        io.Out << "An installation is running in this game folder now.\n";
    } else if (status.JournalPending) {
        const std::string what = !status.Pending ? "a run"
                                 : status.Pending->Kind == JournalKind::Install
                                     ? "an install of " + status.Pending->Record.Mod
                                     : "a restore of " + status.Pending->Record.Mod;
        io.Out << "Pending: " << NativeToUtf8(what) << " was interrupted"
               << (status.Pending && status.Pending->Switching ? " while its files were put in place"
                                                               : " before any game file changed")
               << "; \"pellwise recover\" or the next run finishes or undoes it.\n";
    } else {
        io.Out << "No interrupted run is pending.\n";
    }
    return status.LedgerUnreadable ? kExitFailed : kExitOk;
}

int RunRecover(const std::vector<std::string>& args, ConsoleIo& io) {
    std::string gameDir;
    RestoreOptions unused;
    if (!ReadGameArgs(args, io, "recover", false, gameDir, unused)) return kExitUsage;
    const GameSession session = OpenGameSession(gameDir);
    if (session.Held) {
        io.Out << kLockedMessage << '\n';
        return kExitFailed;
    }
    if (!session) {
        io.Out << "The game folder cannot be locked: " << NativeToUtf8(session.Error.Text()) << '\n';
        return kExitFailed;
    }
    if (!session.Recovered.Pending) {
        io.Out << "Nothing to recover: no interrupted run in this game folder.\n";
        return kExitOk;
    }
    PrintRecovery(io.Out, session.Recovered);
    return session.Recovered.Error ? kExitFailed : kExitOk;
}

}  // namespace pellwise
