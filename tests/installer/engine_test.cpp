#include <gtest/gtest.h>

#include "installer/engine/installer.h"
#include "installer_test_support.h"
#include "services/paths.h"
#include "tests/support/recording_message_service.h"

namespace pellwise::testing {
namespace {

// The GUI copies files\ with a copy of its own (the shell's), which the
// console does not use.
TEST(Engine, AFailedCopyOfTheFrontEndsFailsTheRunAndAStartRunsOnce) {
    const Sample sample("engine");
    RecordingMessageService messages;
    Installer installer(sample.Game.ModDir, sample.Game.GameDir, messages);
    ASSERT_TRUE(installer.StartWizard(Answer::Yes).Ok());
    std::string copied;
    PatchCallbacks callbacks;
    callbacks.CopyFolder = [&](const std::string& filesDir, const std::string& gameDir) {
        copied = filesDir + " -> " + gameDir;
        return false;
    };
    const std::vector<std::string>& missions = installer.Missions();
    const PatchReport report = installer.RunPatch({missions[0]}, {}, callbacks);
    EXPECT_EQ(copied, JoinPath(sample.Game.ModDir, "files/") + " -> " + sample.Game.GameDir);
    EXPECT_TRUE(report.TextDbSaved);
    EXPECT_FALSE(report.Succeeded());
    EXPECT_FALSE(installer.RunPatch({missions[1]}, {}).Ran) << "one run per start";
}

}  // namespace
}  // namespace pellwise::testing
