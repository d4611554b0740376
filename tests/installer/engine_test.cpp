#include <gtest/gtest.h>

#include "installer/console/console.h"
#include "installer/engine/installer.h"
#include "installer_test_support.h"
#include "services/paths.h"
#include "tests/support/recording_message_service.h"

namespace pellwise::testing {
namespace {

TEST(Engine, AStartRunsOnce) {
    const Sample sample("engine");
    RecordingMessageService messages;
    Installer installer(sample.Game.ModDir, sample.Game.GameDir, messages);
    ASSERT_TRUE(installer.StartWizard(Answer::Yes).Ok());
    const std::vector<std::string>& missions = installer.Missions();
    EXPECT_TRUE(installer.RunPatch({missions[0]}, {}).Succeeded());
    EXPECT_FALSE(installer.RunPatch({missions[1]}, {}).Ran) << "one run per start";
}

// The front end's list sorts by its own comparison; the run follows the
// order it is given, each mission once, and so does its progress.
TEST(Engine, MissionsArePatchedInTheOrderGivenAndTheConsoleGivesItsListsOrder) {
    const Sample sample("order");
    RecordingMessageService messages;
    Installer installer(sample.Game.ModDir, sample.Game.GameDir, messages);
    ASSERT_TRUE(installer.StartWizard(Answer::Yes).Ok());
    const std::vector<std::string> listed = installer.Missions();
    ASSERT_GE(listed.size(), 3u);
    std::vector<std::string> progress;
    PatchCallbacks callbacks;
    callbacks.Progress = [&progress](const PatchProgress& p) {
        if (p.At == PatchProgress::Stage::Mission) progress.push_back(p.Mission);
    };
    const PatchReport report = installer.RunPatch({listed[2], listed[0], listed[2]}, {}, callbacks);
    ASSERT_TRUE(report.Succeeded());
    std::vector<std::string> patched;
    for (const MissionReport& m : report.Missions) patched.push_back(m.Name);
    EXPECT_EQ(patched, (std::vector<std::string>{listed[2], listed[0]}));
    EXPECT_EQ(progress, patched);

    const Sample other("order_console");
    const ConsoleRun run =
        Pellwise(InstallArgs(other.Game, {"--mission", listed[2], "--mission", listed[0], "--overwrite", "yes"}));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    const size_t first = run.Out.find(listed[0] + ": ");
    const size_t second = run.Out.find(listed[2] + ": ");
    ASSERT_NE(second, std::string::npos) << run.Out;
    EXPECT_LT(first, second) << run.Out;
}

}  // namespace
}  // namespace pellwise::testing
