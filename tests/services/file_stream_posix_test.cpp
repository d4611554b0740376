#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "services/file_stream.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

// A read leaves the file's inode alone where the system lets it (the owner's
// files): otherwise every file an install reads would be written back too.
TEST(FileStreamPosix, ReadingAFileOfOneselfLeavesItsAccessTime) {
    testing::TempFolder folder;
    const std::string path = folder.Path("obj_00001.dnc");
    testing::WriteBytes(path, "an object file");
    // An access time before the change: the first read after it would set it.
    const timespec times[2] = {{1000000000, 0}, {0, UTIME_OMIT}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    char bytes[64];
    EXPECT_EQ(FileStream::OpenForReading(path).Read(bytes, sizeof bytes), 14);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
}

}  // namespace
}  // namespace pellwise
