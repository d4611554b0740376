#include <gtest/gtest.h>

#include <filesystem>

#include "services/file_system.h"
#include "services/recording_message_service.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

// A mod's files\ folder and a game folder beside it. The answers are preset,
// so the program's own copy runs on every platform.
class CopyFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"mod/files/maps/deeper", "game/maps"})
            std::filesystem::create_directories(root.Path(folder));
        WriteBytes(root.Path("mod/files/readme.txt"), "new readme");
        WriteBytes(root.Path("mod/files/maps/city.bin"), std::string(300000, 'c'));
        WriteBytes(root.Path("mod/files/maps/deeper/.hidden"), "h");
    }

    std::string Files() const { return root.Path("mod/files/*"); }
    std::string Game() const { return root.Path("game/"); }

    testing::TempFolder root;
    RecordingMessageService messages;
    CopyReport report;
};

TEST_F(CopyFilesTest, CopiesEverythingUnderTheSourceAndReplacesAFileOnlyWhenTheAnswerIsYes) {
    WriteBytes(root.Path("game/readme.txt"), "old readme");
    EXPECT_TRUE(CopyFiles(Files(), Game(), 0, messages, ReplaceAnswer::No, &report));
    EXPECT_EQ(ReadBytes(root.Path("game/readme.txt")), "old readme");
    EXPECT_EQ(ReadBytes(root.Path("game/maps/city.bin")), std::string(300000, 'c'));
    EXPECT_EQ(ReadBytes(root.Path("game/maps/deeper/.hidden")), "h");
    EXPECT_EQ(report.skipped, 1);
    EXPECT_EQ(report.copied, 2);

    EXPECT_TRUE(CopyFiles(Files(), Game(), 0, messages, ReplaceAnswer::Yes, &report));
    EXPECT_EQ(ReadBytes(root.Path("game/readme.txt")), "new readme");
    EXPECT_EQ(report.copied, 3);
    EXPECT_EQ(report.replaced, 3);
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(ReadBytes(root.Path("mod/files/readme.txt")), "new readme");  // a copy, not a move
}

TEST_F(CopyFilesTest, SeveralSourcesFilesAndFoldersAndAMissingOne) {
    const std::string sources =
        root.Path("mod/files/readme.txt") + "\r" + root.Path("mod/files/maps") + "\r" + root.Path("mod/nothing") + "\r";
    EXPECT_FALSE(CopyFiles(sources, root.Path("out/new"), 0, messages, ReplaceAnswer::No, &report));
    EXPECT_EQ(ReadBytes(root.Path("out/new/readme.txt")), "new readme");
    EXPECT_EQ(ReadBytes(root.Path("out/new/maps/deeper/.hidden")), "h");
    EXPECT_EQ(report.copied, 3);
}

// Neither a folder copied into itself nor a folder where a file should go is
// allowed to lose data.
TEST_F(CopyFilesTest, AFolderIntoItselfOrInThePlaceOfAFileFailsAndLeavesEverythingAsItWas) {
    EXPECT_FALSE(CopyFiles(root.Path("mod/*"), root.Path("mod/files/maps"), 0, messages, ReplaceAnswer::Yes, &report));
    EXPECT_FALSE(DirectoryExists(root.Path("mod/files/maps/files")));
    EXPECT_FALSE(
        CopyFiles(root.Path("mod/files/readme.txt"), root.Path("mod/files"), 0, messages, ReplaceAnswer::Yes, &report));
    EXPECT_EQ(ReadBytes(root.Path("mod/files/readme.txt")), "new readme");

    std::filesystem::create_directories(root.Path("game/readme.txt"));
    EXPECT_FALSE(CopyFiles(Files(), Game(), 0, messages, ReplaceAnswer::Yes, &report));
    EXPECT_TRUE(DirectoryExists(root.Path("game/readme.txt")));
    EXPECT_EQ(ReadBytes(root.Path("game/maps/city.bin")), std::string(300000, 'c'));
}

}  // namespace
}  // namespace pellwise
