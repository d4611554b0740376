#include <gtest/gtest.h>

#include "installer/console/console.h"
#include "installer_test_support.h"
#include "services/paths.h"

namespace pellwise::testing {
namespace {

const std::string kNoFile = "Файл не найден или не может быть прочитан: ";

// Every stop ends the run with its message and exit status 1, and leaves
// the game as it was.
struct Stopped {
    Sample sample;
    ConsoleRun run;
    bool untouched = false;

    template <typename Damage>
    Stopped(const std::string& name, Damage damage) : sample(name) {
        damage(sample.Game);
        const auto before = Snapshot(sample.Game.GameDir);
        run = Pellwise(InstallArgs(sample.Game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"}));
        untouched = Snapshot(sample.Game.GameDir) == before;
    }
};

TEST(WizardStop, AGameWithoutItsTablesFolderIsToldToExtractIt) {
    const Stopped s("no_tables", [](const SampleGame& g) { RemovePath(JoinPath(g.GameDir, "tables")); });
    EXPECT_EQ(s.run.Status, kExitFailed);
    EXPECT_EQ(s.run.Err, "error: Папка TABLES не найдена. Извлеките её с помощью MafiaDataXTractor\n");
    EXPECT_TRUE(s.untouched);
}

TEST(WizardStop, AnEmptyFirstLineOfVersionTxtIsAMissingFile) {
    const Stopped s("empty_version",
                    [](const SampleGame& g) { WriteFile(JoinPath(g.GameDir, "tables/version.txt"), "\r\nru\r\n"); });
    EXPECT_EQ(s.run.Status, kExitFailed);
    EXPECT_EQ(s.run.Err, "error: " + kNoFile + JoinPath(s.sample.Game.GameDir, "tables/version.txt") + "\n");
    EXPECT_TRUE(s.untouched);
}

TEST(WizardStop, TheDatabaseThatVersionTxtNamesMustExist) {
    const Stopped s("no_textdb",
                    [](const SampleGame& g) { WriteFile(JoinPath(g.GameDir, "tables/version.txt"), "ru \r\n"); });
    EXPECT_EQ(s.run.Status, kExitFailed);
    // The line is used as it stands, blank and all.
    EXPECT_EQ(s.run.Err, "error: " + kNoFile + JoinPath(s.sample.Game.GameDir, "tables/textdb_ru .def") + "\n");
    EXPECT_TRUE(s.untouched);
}

TEST(WizardStop, ADamagedDatabaseStopsTheRunAndIsNeverWritten) {
    const Stopped s("damaged_textdb", [](const SampleGame& g) {
        const std::string db = ReadFile(g.TextDbPath);
        WriteFile(g.TextDbPath, db.substr(0, db.size() - 40));
    });
    EXPECT_EQ(s.run.Status, kExitFailed);
    EXPECT_NE(s.run.Err.find("IO error"), std::string::npos) << s.run.Err;
    EXPECT_NE(s.run.Out.find("Stopped: the text database could not be read whole"), std::string::npos);
    EXPECT_TRUE(s.untouched);
}

TEST(WizardStop, TheModNeedsItsNewTextsIni) {
    const Stopped s("no_newtexts", [](const SampleGame& g) { RemovePath(JoinPath(g.ModDir, "DATA/NewTexts.ini")); });
    EXPECT_EQ(s.run.Status, kExitFailed);
    EXPECT_EQ(s.run.Err, "error: " + kNoFile + JoinPath(s.sample.Game.ModDir, "DATA/NewTexts.ini") + "\n");
    EXPECT_TRUE(s.untouched);
}

TEST(WizardStop, AGameWithoutAnyScene2BinHasNoMissions) {
    const Stopped s("no_missions", [](const SampleGame& g) {
        for (const SampleMission& m : g.Missions) RemovePath(m.ScenePath);
    });
    EXPECT_EQ(s.run.Status, kExitFailed);
    EXPECT_EQ(s.run.Err, "error: Нет доступных для патчинга миссий. Извлеките MISSIONS с помощью MafiaDataXTractor\n");
    EXPECT_TRUE(s.untouched);
}

TEST(WizardStop, AModWithoutObjectFilesTakesItsTextFromOptionsIni) {
    const Stopped s("no_dnc", [](const SampleGame& g) {
        for (const SampleObjectFile& f : g.ObjectFiles) RemovePath(JoinPath(g.ModDir, "DATA/" + f.FileName));
        WriteFile(JoinPath(g.ModDir, "interface/options.ini"), "[captions]\r\nno DNC = Unpack the mod again.\r\n");
    });
    EXPECT_EQ(s.run.Status, kExitFailed);
    EXPECT_EQ(s.run.Err, "error: Unpack the mod again.\n");
    EXPECT_TRUE(s.untouched);
}

}  // namespace
}  // namespace pellwise::testing
