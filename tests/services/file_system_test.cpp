#include "services/file_system.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(FileSystem, FilesAndFoldersAreToldApart) {
    testing::TempFolder folder;
    const std::string file = folder.Path("game.exe");
    const std::string sub = folder.Path("MISSIONS");
    testing::WriteBytes(file, "MZ");
    std::filesystem::create_directory(sub);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(sub));
    EXPECT_TRUE(DirectoryExists(folder.Path()));
    EXPECT_FALSE(FileExists(sub));
    for (const std::string& path : {folder.Path("nothing"), std::string(), folder.Path("game.exe/x")}) {
        EXPECT_FALSE(FileExists(path)) << path;
        EXPECT_FALSE(DirectoryExists(path)) << path;
    }
}

TEST(FileSystem, RemoveFileRemovesFilesOnly) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.Path("f"), "x");
    std::filesystem::create_directory(folder.Path("d"));
    EXPECT_TRUE(RemoveFile(folder.Path("f")));
    EXPECT_FALSE(FileExists(folder.Path("f")));
    EXPECT_FALSE(RemoveFile(folder.Path("f")));
    EXPECT_FALSE(RemoveFile(folder.Path("d")));
    EXPECT_TRUE(DirectoryExists(folder.Path("d")));
}

TEST(FileSystem, TheProgramFolderHoldsTheRunningTestProgram) {
    const std::string programFolder = ProgramFolder();
    ASSERT_FALSE(programFolder.empty());
    EXPECT_TRUE(programFolder.back() == '/' || programFolder.back() == '\\');
    EXPECT_TRUE(DirectoryExists(programFolder));
    EXPECT_TRUE(FileExists(programFolder + "services_tests") || FileExists(programFolder + "services_tests.exe"));
}

TEST(FileSystem, DecimalTextHasASignAndNoLeadingZeros) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(100), "100");
    EXPECT_EQ(DecimalText(-7), "-7");
    EXPECT_EQ(DecimalText(INT32_MIN), "-2147483648");
    EXPECT_EQ(DecimalText(INT32_MAX), "2147483647");
}

}  // namespace
}  // namespace pellwise
