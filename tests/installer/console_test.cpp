#include "installer/console/console.h"

#include <gtest/gtest.h>

#include "installer/console/native_text.h"
#include "installer_test_support.h"
#include "services/paths.h"

namespace pellwise::testing {
namespace {

TEST(ConsoleUsage, MistakesOnTheCommandLineExitWithTwoAndWriteNothing) {
    const Sample sample("usage");
    const auto before = Snapshot(sample.Game.GameDir);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"instal"},
        InstallArgs(sample.Game, {}),
        InstallArgs(sample.Game, {"--all-missions", "--mission", "FREERIDE"}),
        InstallArgs(sample.Game, {"--all-missions", "--overwrite", "maybe"}),
        InstallArgs(sample.Game, {"--all-missions", "--replace-files"}),
        InstallArgs(sample.Game, {"--all-missions", "--force"}),
        InstallArgs(sample.Game, {"--mission", "freeride"}),  // names match exactly
        InstallArgs(sample.Game, {"--mission", "MISE99-NOSCENE"}),
        {"scene"},
        {"textdb", "--find"},
        {"sample", "--missions", "0", sample.Folder.Path() + "other"},
    };
    for (const auto& args : wrong) {
        const ConsoleRun run = Pellwise(args);
        std::string line;
        for (const std::string& a : args) line += a + ' ';
        EXPECT_EQ(run.Status, kExitUsage) << line;
        EXPECT_NE(run.Err.find("Try 'pellwise --help'"), std::string::npos) << line;
        EXPECT_TRUE(run.Out.empty()) << line;
    }
    EXPECT_EQ(Snapshot(sample.Game.GameDir), before);
}

TEST(ConsoleUsage, HelpAndVersionGoToStandardOutput) {
    const ConsoleRun help = Pellwise({"--help"});
    EXPECT_EQ(help.Status, kExitOk);
    EXPECT_NE(help.Out.find("pellwise install [--game DIR] [--mod DIR] (--mission NAME ... | --all-missions)"),
              std::string::npos);
    const ConsoleRun version = Pellwise({"--version"});
    EXPECT_EQ(version.Status, kExitOk);
    EXPECT_EQ(version.Out.rfind("pellwise ", 0), 0u);
}

TEST(ConsoleFolders, TheModIsTheCurrentFolderAndTheGameTheOneAboveIt) {
    const Sample sample("default_folders");
    const ConsoleRun run = Pellwise({"install", "--all-missions", "--overwrite=yes", "--replace-files=no", "--dry-run"},
                                    sample.Game.ModDir);
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_NE(run.Out.find("Missions: 4"), std::string::npos) << run.Out;

    const ConsoleRun listed = Pellwise({"missions"}, sample.Game.ModDir);
    EXPECT_EQ(listed.Out, "FREERIDE\nMISE01-INTRO\nmise02 saliery\nMISE03-AUTODROME\n");
    const ConsoleRun relative = Pellwise({"missions", "--game", ".."}, JoinPath(sample.Game.ModDir, "DATA/"));
    EXPECT_EQ(relative.Out, "") << "the mod folder has no missions";
    EXPECT_EQ(relative.Status, kExitFailed);
}

TEST(ConsoleInspect, SceneAndTextDbListWhatTheFilesHold) {
    SampleOptions options;
    options.Missions = 2;
    const Sample sample("inspect_scene", options);
    const SampleMission& m = sample.Game.Missions[1];  // the one with 0xAE02 entries
    const ConsoleRun run = Pellwise({"scene", NativeToUtf8(m.ScenePath)});
    ASSERT_EQ(run.Status, kExitOk) << run.Err;
    EXPECT_NE(run.Out.find("total size " + std::to_string(m.SceneSize)), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Head chunks: 3\n  0x3200  10  NoName\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Section 0x4000 (objects): size "), std::string::npos);
    EXPECT_NE(run.Out.find("  0x4010  " + std::to_string(m.Objects[0].Size) + "  " + m.Objects[0].Name + "\n"),
              std::string::npos);
    EXPECT_NE(run.Out.find("Section 0xAE02 (entries 0xAE03): size 58, 2 chunks"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("  0xAE51  "), std::string::npos);

    WriteFile(m.ScenePath, "SL\x06");
    const ConsoleRun damaged = Pellwise({"scene", NativeToUtf8(m.ScenePath)});
    EXPECT_EQ(damaged.Status, kExitFailed);
    EXPECT_FALSE(damaged.Err.empty());

    const ConsoleRun db = Pellwise({"textdb", NativeToUtf8(sample.Game.TextDbPath), "--find", "Мафия"});
    ASSERT_EQ(db.Status, kExitOk) << db.Err;
    EXPECT_NE(db.Out.find(": 300 entries, kind 1 (Cyrillic)\n"), std::string::npos) << db.Out;
    EXPECT_NE(db.Out.find("  100  Мафия\n1 entries contain \"Мафия\""), std::string::npos) << db.Out;
}

TEST(ConsoleSample, TheSampleCommandWritesAGameThatInstalls) {
    const Scratch scratch("sample_command");
    const std::string dir = NativeToUtf8(scratch.Path() + "g");
    const ConsoleRun made = Pellwise({"sample", dir, "--missions", "2", "--entries", "150", "--store-collision",
                                      "--no-replaced-file", "--collisions", "0"});
    ASSERT_EQ(made.Status, kExitOk) << made.Err;
    const ConsoleRun run =
        Pellwise({"install", "--game", dir, "--mod", dir + "/Tarnwick", "--all-missions", "--overwrite", "no"});
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    // Which of the two files comes first is the folder listing's order.
    EXPECT_TRUE(run.Out.find("tarn_car_alt.dnc: kept tarn_car.dnc, which holds the same name") != std::string::npos ||
                run.Out.find("tarn_car.dnc: kept tarn_car_alt.dnc, which holds the same name") != std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("Overwrite among the mod's files: no (--overwrite)"), std::string::npos);
    EXPECT_NE(run.Out.find("Files: 4 copied, 0 replaced"), std::string::npos);
}

}  // namespace
}  // namespace pellwise::testing
