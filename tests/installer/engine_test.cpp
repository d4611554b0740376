#include <gtest/gtest.h>

#include "installer/engine/installer.h"
#include "installer_test_support.h"
#include "services/paths.h"
#include "services/recording_message_service.h"

namespace pellwise::testing {
namespace {

// The GUI drives the engine itself and copies files\ with a copy of its own.
TEST(Engine, RunsOncePerStartInListOrderAndAFailedCopyOfTheFrontEndsFailsTheRun) {
    const Sample sample("engine");
    RecordingMessageService messages;
    messages.SetDefaultAnswer(kIdYes);
    Installer installer(sample.Game.ModDir, sample.Game.GameDir, messages);
    EXPECT_FALSE(installer.RunPatch({}, {}).Ran) << "the wizard has not passed";
    ASSERT_TRUE(installer.StartWizard().Ok());
    const auto before = Snapshot(sample.Game.GameDir);
    EXPECT_FALSE(installer.RunPatch({"NOSUCH"}, {}).Ran);
    EXPECT_EQ(Snapshot(sample.Game.GameDir), before);

    std::vector<std::string> seen;
    int chunks = 0;
    std::string copied;
    PatchCallbacks callbacks;
    callbacks.Progress = [&](const PatchProgress& p) {
        if (p.At == PatchProgress::Stage::Mission) seen.push_back(p.Mission);
    };
    callbacks.AfterChunk = [&] { ++chunks; };
    callbacks.CopyFolder = [&](const std::string& filesDir, const std::string& gameDir) {
        copied = filesDir + " -> " + gameDir;
        return false;
    };
    const std::vector<std::string>& all = installer.Missions();
    const PatchReport report = installer.RunPatch({all[3], all[0], all[2]}, {}, callbacks);
    EXPECT_EQ(seen, (std::vector<std::string>{all[0], all[2], all[3]}));
    EXPECT_EQ(chunks, 3 * 7);
    EXPECT_EQ(report.SceneAnswer, Answer::Yes);
    EXPECT_EQ(messages.Count(), 1) << "one overwrite question for the run";
    EXPECT_EQ(copied, JoinPath(sample.Game.ModDir, "files/") + " -> " + sample.Game.GameDir);
    EXPECT_TRUE(report.TextDbSaved);
    EXPECT_FALSE(report.Succeeded());
    EXPECT_FALSE(installer.RunPatch({all[1]}, {}).Ran) << "one run per start";
    std::string started;
    installer.StartGame([&](const std::string& program) {
        started = program;
        return true;
    });
    EXPECT_EQ(started, JoinPath(sample.Game.GameDir, "game.exe"));
}

}  // namespace
}  // namespace pellwise::testing
