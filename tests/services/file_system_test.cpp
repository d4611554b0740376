#include "services/file_system.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(FileSystem, FilesAndFoldersAreToldApartAndOnlyFilesAreRemoved) {
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
    EXPECT_FALSE(RemoveFile(sub));
    EXPECT_TRUE(DirectoryExists(sub));
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(RemoveFile(file));
}

TEST(FileSystem, TheProgramFolderHoldsTheRunningTestProgram) {
    const std::string programFolder = ProgramFolder();
    ASSERT_FALSE(programFolder.empty());
    EXPECT_TRUE(programFolder.back() == '/' || programFolder.back() == '\\');
    EXPECT_TRUE(FileExists(programFolder + "services_tests") || FileExists(programFolder + "services_tests.exe"));
}

TEST(FileSystem, DecimalTextHasASignAndNoLeadingZeros) {
    EXPECT_EQ(DecimalText(0) + " " + DecimalText(100) + " " + DecimalText(-7), "0 100 -7");
    EXPECT_EQ(DecimalText(INT32_MIN) + " " + DecimalText(INT32_MAX), "-2147483648 2147483647");
}

}  // namespace
}  // namespace pellwise
