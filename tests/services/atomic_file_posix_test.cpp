#include <gtest/gtest.h>
#include <sys/stat.h>

#include "services/atomic_file.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(AtomicFilePosix, OnlyAFileWithoutAnyWriteBitIsReadOnlyAndAReplacedFileKeepsItsBits) {
    testing::TempFolder folder;
    const std::string path = folder.Path("game.exe");
    testing::WriteBytes(path, "old");
    chmod(path.c_str(), 0444);
    EXPECT_EQ(WriteFileAtomically(path, "new"), AtomicWriteStatus::TargetReadOnly);
    chmod(path.c_str(), 0561);  // group may write: not read-only
    ASSERT_EQ(WriteFileAtomically(path, "new"), AtomicWriteStatus::Ok);
    EXPECT_EQ(testing::ReadBytes(path), "new");
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0561u);
}

}  // namespace
}  // namespace pellwise
