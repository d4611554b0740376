#include <gtest/gtest.h>

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

}  // namespace
}  // namespace pellwise::testing
