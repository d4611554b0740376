// The install as one transaction: one run per game folder, backups and the
// ledger, restore (stacked installs, changed files), conflicts of loose
// files with what the run patches, and the pre-flight of a dry run. The
// kill test (scripts/tests/kill.sh) interrupts real runs for recovery.
#include "installer/engine/transaction.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "installer/console/console.h"
#include "installer/console/native_text.h"
#include "installer_test_support.h"

namespace pellwise::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Restore(const SampleGame& game, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"restore", "--game", NativeToUtf8(game.GameDir)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::vector<std::string> Yes(std::vector<std::string> missions) {
    missions.insert(missions.end(), {"--overwrite", "yes", "--replace-files", "yes"});
    return missions;
}

// A second mod: the sample's own, in a folder of another name.
std::string CopyOfTheMod(const SampleGame& game, const std::string& name) {
    const std::string dir = JoinPath(game.GameDir, name);
    std::string mod = game.ModDir;
    mod.pop_back();  // the separator at its end, which the copy would not take
    fs::copy(fs::path(mod), fs::path(dir), fs::copy_options::recursive);
    return dir;
}

// Installs stack and come off latest first, each step byte for byte the tree
// it should be; an install that a later one touched again is not restored.
TEST(Transaction, InstallInstallRestoreRestoreGivesBackEachTree) {
    const Sample sample("stacked");
    const SampleGame& game = sample.Game;
    const auto untouched = Snapshot(game.GameDir);
    ConsoleRun run = Pellwise(InstallArgs(game, Yes({"--mission", game.Missions[0].Name})));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_NE(run.Out.find("Backups: the originals are kept in " + NativeToUtf8(game.GameDir) + "pellwise-backup"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("To undo this install: pellwise restore --game"), std::string::npos);
    const auto first = GameSnapshot(game.GameDir);

    const std::string second = CopyOfTheMod(game, "Second");
    const auto withSecondMod = GameSnapshot(game.GameDir);
    std::vector<std::string> args = InstallArgs(game, Yes({"--all-missions"}));
    args[4] = NativeToUtf8(second);
    ASSERT_EQ(Pellwise(args).Status, kExitOk);
    const auto both = GameSnapshot(game.GameDir);
    ASSERT_NE(both, withSecondMod);

    run = Pellwise({"status", "--game", NativeToUtf8(game.GameDir)});
    EXPECT_NE(run.Out.find("  1  "), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("  Second  ("), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("No interrupted run is pending."), std::string::npos) << run.Out;

    run = Pellwise(Restore(game, {"--mod", "Tarnwick"}));
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_NE(run.Out.find("install 2 (Second, "), std::string::npos) << run.Out;
    EXPECT_EQ(GameSnapshot(game.GameDir), both);

    run = Pellwise(Restore(game, {"--dry-run"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out;
    EXPECT_NE(run.Out.find("A restore would put the game back"), std::string::npos) << run.Out;
    EXPECT_EQ(GameSnapshot(game.GameDir), both);

    ASSERT_EQ(Pellwise(Restore(game)).Status, kExitOk);
    EXPECT_EQ(GameSnapshot(game.GameDir), withSecondMod);
    RemovePath(second);
    EXPECT_EQ(GameSnapshot(game.GameDir), first);
    run = Pellwise(Restore(game));
    ASSERT_EQ(run.Status, kExitOk) << run.Out;
    EXPECT_EQ(Snapshot(game.GameDir), untouched) << "the backup folder goes with the last install";
    run = Pellwise(Restore(game));
    EXPECT_EQ(run.Status, kExitOk);
    EXPECT_NE(run.Out.find("There is no install to restore"), std::string::npos) << run.Out;
}

// The digests are taken from the bytes as they are read and written, not
// from the files afterwards; they must still be those of the files.
TEST(Transaction, TheLedgerHoldsTheDigestsOfTheFilesOnTheDisk) {
    const Sample sample("digests");
    const SampleGame& game = sample.Game;
    ASSERT_EQ(Pellwise(InstallArgs(game, Yes({"--all-missions"}))).Status, kExitOk);
    const std::optional<std::vector<InstallRecord>> ledger = ReadLedger(game.GameDir);
    ASSERT_TRUE(ledger && ledger->size() == 1);
    const InstallRecord& record = ledger->front();
    ASSERT_GE(record.Files.size(), game.Missions.size() + 1);
    int replaced = 0;
    for (const FileChange& change : record.Files) {
        SCOPED_TRACE(change.Path);
        EXPECT_EQ(DigestOfFile(JoinPath(game.GameDir, change.Path)), change.After);
        if (change.Kind != ChangeKind::Replaced) continue;
        ++replaced;
        EXPECT_EQ(DigestOfFile(BackupPathOf(game.GameDir, record.Number, change.Path)), change.Before);
    }
    EXPECT_GE(replaced, static_cast<int>(game.Missions.size()) + 1);
}

// A file something else changed after the install is not overwritten unless
// the player insists.
TEST(Transaction, RestoreRefusesAChangedFileUnlessForced) {
    const Sample sample("changed");
    const SampleGame& game = sample.Game;
    const auto untouched = Snapshot(game.GameDir);
    ASSERT_EQ(Pellwise(InstallArgs(game, Yes({"--all-missions"}))).Status, kExitOk);
    WriteFile(game.TextDbPath, ReadFile(game.TextDbPath) + "patched by a game update");
    const auto changed = Snapshot(game.GameDir);

    ConsoleRun run = Pellwise(Restore(game));
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_NE(run.Out.find("changed: " + NativeToUtf8(game.TextDbPath)), std::string::npos) << run.Out;
    EXPECT_EQ(Snapshot(game.GameDir), changed);

    run = Pellwise(Restore(game, {"--force"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out;
    EXPECT_EQ(Snapshot(game.GameDir), untouched);
}

// While one run holds the game folder, another stops before it reads or
// writes anything, and says why.
TEST(Transaction, ASecondRunInTheSameGameStopsWithTheMessage) {
    const Sample sample("locked");
    const SampleGame& game = sample.Game;
    const auto untouched = Snapshot(game.GameDir);
    {
        const GameSession held = OpenGameSession(game.GameDir);
        ASSERT_TRUE(held);
        ConsoleRun run = Pellwise(InstallArgs(game, Yes({"--all-missions"})));
        EXPECT_EQ(run.Status, kExitFailed);
        EXPECT_NE(run.Err.find("another installation is running in this game folder"), std::string::npos) << run.Err;
        run = Pellwise(Restore(game));
        EXPECT_EQ(run.Status, kExitFailed);
        EXPECT_NE(run.Out.find("another installation is running in this game folder"), std::string::npos);
        EXPECT_NE(Pellwise({"status", "--game", NativeToUtf8(game.GameDir)}).Out.find("running"), std::string::npos);
    }
    EXPECT_EQ(Snapshot(game.GameDir), untouched);
    EXPECT_EQ(Pellwise(InstallArgs(game, Yes({"--all-missions"}))).Status, kExitOk) << "the lock went with its holder";
}

// Loose files that would land on the ticked scene or the database are not
// copied: the run keeps what it patched and does not count as installed.
TEST(Transaction, LooseFilesOverWhatTheRunPatchesAreConflicts) {
    const Sample sample("conflicts");
    const SampleGame& game = sample.Game;
    const SampleMission& ticked = game.Missions[0];
    const SampleMission& other = game.Missions[1];
    const std::string db = "tables/" + fs::path(game.TextDbPath).filename().string();
    WriteFile(JoinPath(game.ModDir, "files/" + db), "the mod's own database");
    WriteFile(JoinPath(game.ModDir, "files/MISSIONS/" + ticked.Name + "/scene2.bin"), "the mod's own scene");
    WriteFile(JoinPath(game.ModDir, "files/MISSIONS/" + other.Name + "/scene2.bin"), "a scene not patched");

    const std::string database = ReadFile(game.TextDbPath);
    const ConsoleRun run = Pellwise(InstallArgs(game, Yes({"--mission", ticked.Name})));
    EXPECT_EQ(run.Status, kExitFailed) << run.Out;
    EXPECT_NE(run.Out.find("Result: partly installed"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find(fs::path(game.TextDbPath).filename().string() + ": would replace a file this run patches"),
              std::string::npos)
        << run.Out;
    EXPECT_GT(ReadFile(game.TextDbPath).size(), database.size()) << "the run's database stays";
    EXPECT_NE(ReadFile(ticked.ScenePath).find("TarnSpawn"), std::string::npos);
    EXPECT_EQ(ReadFile(other.ScenePath), "a scene not patched") << "an unticked mission's file is a loose file";
}

// A dry run is a real pre-flight: it makes the checks an install makes.
TEST(Transaction, ADryRunNamesTheReasonAnInstallWouldStop) {
    const Sample sample("dry_run_checks");
    const SampleGame& game = sample.Game;
    MakeReadOnly(game.TextDbPath);
    const auto untouched = Snapshot(game.GameDir);
    const ConsoleRun run = Pellwise(InstallArgs(game, Yes({"--all-missions", "--dry-run"})));
    MakeWritable(game.TextDbPath);
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_NE(run.Out.find(NativeToUtf8(game.TextDbPath) + ": read-only"), std::string::npos) << run.Out;
    EXPECT_EQ(Snapshot(game.GameDir), untouched);
}

// What a run that died leaves: a journal and staged files. Recovery finishes
// a switch that had begun and undoes a staging that had not, and says which.
TEST(Transaction, RecoverFinishesASwitchAndUndoesAStaging) {
    const Sample sample("recover");
    const SampleGame& game = sample.Game;
    const std::string scene = "MISSIONS/" + game.Missions[0].Name + "/scene2.bin";
    const std::string created = "maps/new.bmp";
    const auto untouched = Snapshot(game.GameDir);
    Journal journal;
    journal.Record = {7, "2026-01-01 00:00:00", "Tarnwick", {}, {}, {}};
    journal.Steps = {{false, "MISSIONS/" + game.Missions[0].Name + "/~pw0.pellwise-stage", scene},
                     {false, "maps/~pw1.pellwise-stage", created}};
    journal.Record.Files = {{ChangeKind::Replaced, scene, {}, {}}, {ChangeKind::Created, created, {}, {}}};
    const auto interrupt = [&](bool switching) {
        journal.Switching = switching;
        WriteFile(JoinPath(game.GameDir, journal.Steps[0].Staged), "the patched scene");
        WriteFile(JoinPath(game.GameDir, journal.Steps[1].Staged), "a new file");
        WriteFile(JournalPath(game.GameDir), JournalText(journal));
    };
    const std::vector<std::string> recover = {"recover", "--game", NativeToUtf8(game.GameDir)};

    interrupt(false);
    ConsoleRun run = Pellwise(recover);
    EXPECT_EQ(run.Status, kExitOk);
    EXPECT_NE(run.Out.find("undid the interrupted install of Tarnwick"), std::string::npos) << run.Out;
    EXPECT_EQ(Snapshot(game.GameDir), untouched);

    interrupt(true);
    // The run died after putting the first file in place.
    fs::rename(fs::path(JoinPath(game.GameDir, journal.Steps[0].Staged)), fs::path(JoinPath(game.GameDir, scene)));
    run = Pellwise(recover);
    EXPECT_EQ(run.Status, kExitOk);
    EXPECT_NE(run.Out.find("finished the interrupted install of Tarnwick: 2 files put in place"), std::string::npos)
        << run.Out;
    EXPECT_EQ(ReadFile(JoinPath(game.GameDir, scene)), "the patched scene");
    EXPECT_EQ(ReadFile(JoinPath(game.GameDir, created)), "a new file");
    EXPECT_NE(ReadFile(JoinPath(game.GameDir, "pellwise-backup/ledger.txt")).find("install\t7\t"), std::string::npos);
    EXPECT_EQ(ReadFile(JournalPath(game.GameDir)), "<missing>");

    run = Pellwise(recover);
    EXPECT_EQ(run.Status, kExitOk);
    EXPECT_NE(run.Out.find("Nothing to recover"), std::string::npos) << run.Out;
}

}  // namespace
}  // namespace pellwise::testing
