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
    auto install = [&](std::vector<std::string> more) { return InstallArgs(sample.Game, std::move(more)); };
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"instal"},
        install({}),
        install({"--all-missions", "--mission", "FREERIDE"}),
        install({"--all-missions", "--overwrite", "maybe"}),
        install({"--all-missions", "--replace-files"}),
        install({"--mission", "freeride"}),  // names match exactly
        install({"--mission", "MISE99-NOSCENE"}),
    };
    for (const auto& args : wrong) {
        const ConsoleRun run = Pellwise(args);
        const std::string line = args.empty() ? "" : args.back();
        EXPECT_EQ(run.Status, kExitUsage) << line;
        EXPECT_NE(run.Err.find("Try 'pellwise --help'"), std::string::npos) << line;
        EXPECT_TRUE(run.Out.empty()) << line;
    }
    EXPECT_EQ(Snapshot(sample.Game.GameDir), before);
    EXPECT_NE(Pellwise({"--help"})
                  .Out.find("pellwise install [--game DIR] [--mod DIR] (--mission NAME ... | --all-missions)"),
              std::string::npos);
}

// The mod is the current folder and the game the one above it.
TEST(Console, TheSampleCommandMakesAGameThatInstallsFromItsModFolder) {
    const Scratch scratch("sample_command");
    ASSERT_EQ(Pellwise({"sample", NativeToUtf8(scratch.Path() + "g"), "--missions", "2", "--entries", "150",
                        "--store-collision", "--no-replaced-file", "--collisions", "0"})
                  .Status,
              kExitOk);
    const std::string mod = JoinPath(scratch.Path(), "g/Tarnwick/");
    EXPECT_EQ(Pellwise({"missions"}, mod).Out, "FREERIDE\nMISE01-INTRO\n");
    const ConsoleRun run = Pellwise({"install", "--all-missions", "--overwrite=no"}, mod);
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    // Which of the two files comes first is the folder listing's order.
    EXPECT_TRUE(run.Out.find("tarn_car_alt.dnc: kept tarn_car.dnc, which holds the same name") != std::string::npos ||
                run.Out.find("tarn_car.dnc: kept tarn_car_alt.dnc, which holds the same name") != std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("Overwrite among the mod's files: no (--overwrite)"), std::string::npos);
}

// A database that writes Russian in Latin letters is searched in that form.
TEST(ConsoleInspect, SceneAndTextDbListWhatTheFilesHold) {
    const Sample sample("inspect", {.Missions = 2, .LatinTextDb = true, .MissionNames = {}});
    const SampleMission& m = sample.Game.Missions[1];  // the one with 0xAE02 entries
    const ConsoleRun scene = Pellwise({"scene", NativeToUtf8(m.ScenePath)});
    ASSERT_EQ(scene.Status, kExitOk) << scene.Err;
    const ConsoleRun db = Pellwise({"textdb", NativeToUtf8(sample.Game.TextDbPath), "--find", "Мафия"});
    for (const std::string& line : {std::string("Head chunks: 4\n  0x3200  10  NoName\n"),
                                    "  0x4010  " + std::to_string(m.Objects[0].Size) + "  " + m.Objects[0].Name + "\n",
                                    std::string("Section 0xAE02 (entries 0xAE03): size 58, 2 chunks")})
        EXPECT_NE(scene.Out.find(line), std::string::npos) << line << "\n" << scene.Out;
    EXPECT_NE(db.Out.find(": 300 entries, kind 2 (Latin letters)\n"), std::string::npos) << db.Out;
    EXPECT_NE(db.Out.find("  100  MAONR\n1 entries contain \"Мафия\""), std::string::npos) << db.Out;
    WriteFile(m.ScenePath, "SL\x06");
    EXPECT_EQ(Pellwise({"scene", NativeToUtf8(m.ScenePath)}).Status, kExitFailed);
}

}  // namespace
}  // namespace pellwise::testing
