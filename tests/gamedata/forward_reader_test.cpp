#include "gamedata/forward_reader.h"

#include <gtest/gtest.h>

#include "services/file_stream.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

class ForwardReaderTest : public SceneFileTest {
protected:
    // Four windows and a bit of bytes that differ from their neighbours.
    Bytes Pattern() const {
        Bytes bytes(4 * ForwardReader::kWindowSize + 100);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 % 251);
        return bytes;
    }

    static Bytes Slice(const Bytes& bytes, size_t from, size_t count) {
        return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                     bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
    }
};

TEST_F(ForwardReaderTest, HeadsAndBlocksAcrossTheEdgesOfItsReadsComeWhole) {
    const Bytes file = Pattern();
    FileStream stream = FileStream::OpenForReading(Write("data.bin", file));
    ForwardReader reader(stream);
    constexpr size_t kWindow = ForwardReader::kWindowSize;
    Block block;

    ASSERT_TRUE(reader.Take(kWindow - 3, block));
    EXPECT_TRUE(block == Slice(file, 0, kWindow - 3));
    const std::span<const uint8_t> head = reader.Peek(6);  // three bytes left in the window
    EXPECT_TRUE(Bytes(head.begin(), head.end()) == Slice(file, kWindow - 3, 6));
    ASSERT_TRUE(reader.Skip(6));

    // Most of a window, then more than a whole one past what the window holds.
    ASSERT_TRUE(reader.Take(kWindow / 2, block));
    EXPECT_TRUE(block == Slice(file, kWindow + 3, kWindow / 2));
    ASSERT_TRUE(reader.Take(2 * kWindow, block));
    EXPECT_TRUE(block == Slice(file, kWindow * 3 / 2 + 3, 2 * kWindow));
    EXPECT_EQ(reader.Position(), kWindow * 7 / 2 + 3);
}

TEST_F(ForwardReaderTest, TheEndOfTheFileGivesShortPeeksAndRefusesLongerTakes) {
    const Bytes file = Pattern();
    FileStream stream = FileStream::OpenForReading(Write("data.bin", file));
    ForwardReader reader(stream);
    Block block;
    ASSERT_TRUE(reader.Take(file.size() - 4, block));
    EXPECT_EQ(reader.Peek(6).size(), 4u);
    EXPECT_FALSE(reader.Skip(6));
    EXPECT_FALSE(reader.Take(5, block));

    FileStream again = FileStream::OpenForReading(PathOf("data.bin"));
    ForwardReader fresh(again);
    EXPECT_FALSE(fresh.Take(file.size() + 1, block));
}

}  // namespace
}  // namespace pellwise
