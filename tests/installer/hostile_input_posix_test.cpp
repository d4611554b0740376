// Special files where the game's files should be. A named pipe blocked the
// installer for good (its open waits for a writer that never comes), so these
// run as a program of their own under a time limit.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "installer_test_support.h"

namespace pellwise::testing {
namespace {

struct PipeRow {
    std::string Name;
    std::string Relative;  // in the game folder
    int Status;
};

class NamedPipe : public ::testing::TestWithParam<PipeRow> {};

TEST_P(NamedPipe, InPlaceOfAGameFileIsRefusedWithoutWaiting) {
    HostileGame game("NamedPipe");
    const std::string path = game.InGame(GetParam().Relative);
    RemovePath(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
    const std::optional<ChildRun> run = RunPellwise(game.InstallArgs(), 60, game.OutputPath());
    ASSERT_TRUE(run.has_value());
    EXPECT_FALSE(run->TimedOut) << "the install waited on the pipe";
    EXPECT_EQ(run->Status, GetParam().Status) << ReadFile(game.OutputPath());
}

INSTANTIATE_TEST_SUITE_P(Files, NamedPipe,
                         ::testing::Values(PipeRow{"AScene", "MISSIONS/FREERIDE/scene2.bin", 1},
                                           PipeRow{"TheVersionFile", "tables/version.txt", 1},
                                           PipeRow{"TheTextDatabase", "tables/textdb_ru.def", 1},
                                           PipeRow{"NewTextsIni", "Tarnwick/DATA/NewTexts.ini", 1},
                                           PipeRow{"AnObjectFile", "Tarnwick/DATA/tarn_car.dnc", 0},
                                           PipeRow{"OptionsIni", "Tarnwick/interface/options.ini", 0},
                                           PipeRow{"AFileToCopy", "Tarnwick/files/readme_tarnwick.txt", 0}),
                         [](const ::testing::TestParamInfo<PipeRow>& info) { return info.param.Name; });

}  // namespace
}  // namespace pellwise::testing
