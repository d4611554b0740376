#include "services/file_stream.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace pellwise {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

TEST(FileStream, ReadLineEndsAtLfCrCrLfNulAndTheEndOfTheFile) {
    TempFolder folder;
    const char bytes[] = "1.2\xcc\xff\r\nx\ry\r\rz\n\rw\nv\0u";
    WriteBytes(folder.Path("lines.txt"), std::string(bytes, sizeof bytes - 1));
    FileStream stream = FileStream::OpenForReading(folder.Path("lines.txt"));
    for (const char* line : {"1.2\xcc\xff", "x", "y", "", "z", "", "w", "v", "u", "", ""})
        EXPECT_EQ(stream.ReadLine(), line);
}

TEST(FileStream, AStreamWhoseOpenFailedDeliversNothing) {
    TempFolder folder;
    for (const std::string& path : {folder.Path("missing"), folder.Path()}) {
        FileStream stream = FileStream::OpenForReading(path);
        char buffer[4] = {};
        EXPECT_FALSE(stream.IsOpen());
        EXPECT_FALSE(stream.Flush());
        EXPECT_EQ(stream.Read(buffer, 4), 0);
        EXPECT_EQ(stream.Write("abcd", 4), 0);
        EXPECT_EQ(stream.Size(), 0u);
        EXPECT_EQ(stream.ReadLine(), "");
    }
}

}  // namespace
}  // namespace pellwise
