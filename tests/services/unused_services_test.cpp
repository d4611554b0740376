#include <gtest/gtest.h>

#include <filesystem>

#include "services/file_system.h"
#include "services/lists.h"
#include "services/recording_message_service.h"
#include "services/text_codec.h"
#include "temp_folder.h"

// Services the installer does not use (its front ends copy files, list and
// ask in their own ways): one check each that they still do what they say.
namespace pellwise {
namespace {

TEST(CopyFiles, CopiesAFoldersContentAndKeepsAnExistingFileWhenTheAnswerIsNo) {
    testing::TempFolder root;
    std::filesystem::create_directories(root.Path("mod/files/maps"));
    std::filesystem::create_directories(root.Path("game"));
    for (const char* file : {"mod/files/readme.txt", "mod/files/maps/city.bin", "game/readme.txt"})
        testing::WriteBytes(root.Path(file), file);
    RecordingMessageService messages;
    EXPECT_TRUE(CopyFiles(root.Path("mod/files/*"), root.Path("game/"), 0, messages, ReplaceAnswer::No));
    EXPECT_EQ(testing::ReadBytes(root.Path("game/readme.txt")) + testing::ReadBytes(root.Path("game/maps/city.bin")),
              "game/readme.txtmod/files/maps/city.bin");
}

TEST(Lists, AnIndexOutsideTheListReadsNothing) {
    PointerList pointers;
    pointers.Add(7);
    StringList strings;
    strings.Add("a", 5);
    EXPECT_EQ(pointers.Get(1) + pointers.Get(-1) + strings.ValueAt(1), 0u);
    EXPECT_EQ(strings.Get(-1) + strings.Ref(1) + strings.Join(","), "a,");
}

}  // namespace
}  // namespace pellwise
