#include <gtest/gtest.h>
#include <sys/stat.h>

#include "services/atomic_file.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

mode_t PermissionsOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(AtomicFilePosix, TheReplacedFileKeepsItsPermissionBits) {
    testing::TempFolder folder;
    const std::string path = folder.Path("game.exe");
    testing::WriteBytes(path, "old");
    chmod(path.c_str(), 0751);
    ASSERT_EQ(WriteFileAtomically(path, "new"), AtomicWriteStatus::Ok);
    EXPECT_EQ(PermissionsOf(path), 0751u);
}

TEST(AtomicFilePosix, AFileWithoutAnyWriteBitIsReadOnlyEvenForItsOwner) {
    testing::TempFolder folder;
    const std::string path = folder.Path("game.bin");
    testing::WriteBytes(path, "old");
    chmod(path.c_str(), 0444);
    EXPECT_EQ(WriteFileAtomically(path, "new"), AtomicWriteStatus::TargetReadOnly);
    chmod(path.c_str(), 0464);  // group may write: not read-only
    EXPECT_EQ(WriteFileAtomically(path, "new"), AtomicWriteStatus::Ok);
    EXPECT_EQ(testing::ReadBytes(path), "new");
}

}  // namespace
}  // namespace pellwise
