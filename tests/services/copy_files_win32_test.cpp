#include <gtest/gtest.h>

#include <filesystem>

#include "services/file_system.h"
#include "services/recording_message_service.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(CopyFilesWin32, TheShellCopiesTheFolderContentWhenItMayAsk) {
    testing::TempFolder root;
    std::filesystem::create_directories(root.Path("mod\\files\\maps"));
    std::filesystem::create_directories(root.Path("game"));
    testing::WriteBytes(root.Path("mod\\files\\readme.txt"), "readme");
    testing::WriteBytes(root.Path("mod\\files\\maps\\city.bin"), "city");
    RecordingMessageService messages;
    EXPECT_TRUE(CopyFiles(root.Path("mod\\files\\*"), root.Path("game\\"), 0, messages));
    EXPECT_EQ(testing::ReadBytes(root.Path("game\\readme.txt")), "readme");
    EXPECT_EQ(testing::ReadBytes(root.Path("game\\maps\\city.bin")), "city");
    EXPECT_EQ(messages.Count(), 0);  // the shell asks in its own window, never here
}

}  // namespace
}  // namespace pellwise
