#include <gtest/gtest.h>

#include <filesystem>

#include "services/file_system.h"
#include "services/recording_message_service.h"
#include "services/text_codec.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(CopyFilesPosix, AsksBeforeReplacingEachExistingFile) {
    testing::TempFolder root;
    std::filesystem::create_directories(root.Path("mod/files"));
    std::filesystem::create_directories(root.Path("game"));
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) testing::WriteBytes(root.Path("mod/files/") + name, "new");
    for (const char* name : {"a.txt", "b.txt"}) testing::WriteBytes(root.Path("game/") + name, "old");
    RecordingMessageService messages;
    messages.QueueAnswer(kIdNo);
    messages.QueueAnswer(kIdYes);
    CopyReport report;
    EXPECT_TRUE(CopyFiles(root.Path("mod/files/*"), root.Path("game"), 0, messages, ReplaceAnswer::Ask, &report));

    ASSERT_EQ(messages.Count(), 2);
    EXPECT_EQ(messages.Messages()[0].flags, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(messages.Utf8Texts()[0], "Файл уже существует:\r" + root.Path("game/a.txt") + "\rЗаменить его?");
    EXPECT_EQ(testing::ReadBytes(root.Path("game/a.txt")), "old");
    EXPECT_EQ(testing::ReadBytes(root.Path("game/b.txt")), "new");
    EXPECT_EQ(testing::ReadBytes(root.Path("game/c.txt")), "new");
    EXPECT_EQ(report.copied, 2);
    EXPECT_EQ(report.replaced, 1);
    EXPECT_EQ(report.skipped, 1);
}

TEST(CopyFilesPosix, OnlyCopyingIsSupported) {
    testing::TempFolder root;
    testing::WriteBytes(root.Path("f"), "x");
    RecordingMessageService messages;
    EXPECT_FALSE(CopyFiles(root.Path("f"), root.Path("to"), 1, messages));
    EXPECT_TRUE(FileExists(root.Path("f")));
    EXPECT_FALSE(FileExists(root.Path("to/f")));
}

}  // namespace
}  // namespace pellwise
