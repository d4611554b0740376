#include "services/file_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

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
    WriteBytes(folder.Path("empty.txt"), "");
    EXPECT_EQ(FileStream::OpenForReading(folder.Path("empty.txt")).ReadLine(), "");
}

// A reference that reads a byte vector the way an unbuffered file does.
struct ModelFile {
    std::vector<uint8_t> bytes;
    int64_t position = 0;

    int Read(uint8_t* out, int n) {
        const int64_t available = std::max<int64_t>(0, static_cast<int64_t>(bytes.size()) - position);
        const int got = static_cast<int>(std::min<int64_t>(n, available));
        std::copy_n(bytes.begin() + position, got, out);
        position += got;
        return got;
    }

    uint32_t Seek(int32_t offset, SeekOrigin origin) {
        const int64_t base = origin == SeekOrigin::Begin     ? 0
                             : origin == SeekOrigin::Current ? position
                                                             : static_cast<int64_t>(bytes.size());
        if (base + offset < 0) return kSeekFailed;
        position = base + offset;
        return static_cast<uint32_t>(position);
    }
};

TEST(FileStream, BufferedReadsAndSeeksAgreeWithAnUnbufferedFile) {
    std::mt19937 random(20020828);
    ModelFile model;
    model.bytes.resize(300 * 1024 + 17);
    for (uint8_t& b : model.bytes) b = static_cast<uint8_t>(random());
    TempFolder folder;
    const std::string path = folder.Path("data.bin");
    WriteBytes(path, std::string(model.bytes.begin(), model.bytes.end()));

    FileStream stream = FileStream::OpenForReading(path);
    ASSERT_EQ(stream.Size(), model.bytes.size());
    std::vector<uint8_t> got(200 * 1024), expected(200 * 1024);
    for (int step = 0; step < 20000; ++step) {
        const int kind = static_cast<int>(random() % 10);
        if (kind < 6) {
            // Mostly the small reads of a chunk reader, now and then a large one.
            const int n = kind == 0 ? static_cast<int>(random() % got.size()) : static_cast<int>(random() % 9);
            const int a = stream.Read(got.data(), n);
            const int b = model.Read(expected.data(), n);
            ASSERT_EQ(a, b) << "step " << step;
            ASSERT_TRUE(std::equal(got.begin(), got.begin() + a, expected.begin())) << "step " << step;
        } else {
            const auto origin = static_cast<SeekOrigin>(random() % 3);
            const int32_t offset = static_cast<int32_t>(random() % 140000) - 70000;
            ASSERT_EQ(stream.Seek(offset, origin), model.Seek(offset, origin)) << "step " << step;
        }
        ASSERT_EQ(stream.Position(), static_cast<uint32_t>(model.position)) << "step " << step;
    }
}

TEST(FileStream, AStreamWhoseOpenFailedDeliversNothing) {
    TempFolder folder;
    std::vector<FileStream> streams;
    streams.push_back(FileStream::OpenForReading(folder.Path("missing")));
    streams.push_back(FileStream::OpenForReading(folder.Path()));  // a folder is no file
    streams.push_back(FileStream::OpenForWriting(folder.Path("none/x"), CreationMode::CreateAlways));
    streams.push_back(FileStream::OpenForWriting(folder.Path("absent.def"), CreationMode::TruncateExisting));
    for (FileStream& stream : streams) {
        char buffer[4] = {};
        EXPECT_FALSE(stream.IsOpen());
        EXPECT_EQ(stream.Read(buffer, 4), 0);
        EXPECT_EQ(stream.Write("abcd", 4), 0);
        EXPECT_EQ(stream.Size(), 0u);
        EXPECT_EQ(stream.Seek(0, SeekOrigin::Begin), kSeekFailed);
        EXPECT_EQ(stream.ReadLine(), "");
        EXPECT_FALSE(stream.Flush());
    }
    EXPECT_FALSE(testing::Exists(folder.Path("absent.def")));
}

TEST(FileStream, WritingCutsTheOldContentAndReadsBackWhatWasWritten) {
    TempFolder folder;
    const std::string path = folder.Path("out.bin");
    WriteBytes(path, "a much longer old content");
    for (CreationMode mode : {CreationMode::CreateAlways, CreationMode::TruncateExisting}) {
        {
            FileStream stream = FileStream::OpenForWriting(path, mode);
            EXPECT_EQ(stream.WriteString("head"), 4);
            EXPECT_EQ(stream.WriteString(""), 0);
            EXPECT_EQ(stream.Seek(1, SeekOrigin::Begin), 1u);
            EXPECT_EQ(stream.Write("EA", 2), 2);
            EXPECT_EQ(stream.Size(), 4u);
            EXPECT_TRUE(stream.Flush());
        }
        EXPECT_EQ(testing::ReadBytes(path), "hEAd");
    }
}

TEST(FileStream, ReadersShareAFileButAWriterHasItAlone) {
    TempFolder folder;
    const std::string path = folder.Path("scene2.bin");
    WriteBytes(path, "keep");
    {
        FileStream reader = FileStream::OpenForReading(path);
        EXPECT_TRUE(FileStream::OpenForReading(path).IsOpen());
        EXPECT_FALSE(FileStream::OpenForWriting(path, CreationMode::CreateAlways).IsOpen());
    }
    EXPECT_EQ(testing::ReadBytes(path), "keep");
    FileStream writer = FileStream::OpenForWriting(path, CreationMode::TruncateExisting);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_FALSE(FileStream::OpenForReading(path).IsOpen());
}

}  // namespace
}  // namespace pellwise
