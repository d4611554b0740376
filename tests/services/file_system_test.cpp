#include "services/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(FileSystem, FilesAndFoldersAreToldApartAndTheProgramFolderHoldsTheTestProgram) {
    testing::TempFolder folder;
    const std::string file = folder.Path("game.exe");
    testing::WriteBytes(file, "MZ");
    std::filesystem::create_directory(folder.Path("MISSIONS"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(DirectoryExists(folder.Path("MISSIONS")));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(FileExists(folder.Path("MISSIONS")));
    EXPECT_FALSE(FileExists(file + "/x"));
    EXPECT_TRUE(FileExists(ProgramFolder() + "services_tests") || FileExists(ProgramFolder() + "services_tests.exe"));
}

}  // namespace
}  // namespace pellwise
