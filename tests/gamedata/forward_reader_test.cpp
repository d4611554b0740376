#include "gamedata/forward_reader.h"

#include <gtest/gtest.h>

#include "services/file_stream.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;
using ForwardReaderTest = SceneFileTest;

TEST_F(ForwardReaderTest, HeadsAndBlocksAcrossTheEdgesOfItsReadsComeWholeUpToTheEndOfTheFile) {
    constexpr size_t kWindow = ForwardReader::kWindowSize;
    Bytes file(4 * kWindow + 100);
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 7 % 251);
    const auto slice = [&file](size_t from, size_t count) {
        return Bytes(file.begin() + static_cast<std::ptrdiff_t>(from),
                     file.begin() + static_cast<std::ptrdiff_t>(from + count));
    };
    FileStream stream = FileStream::OpenForReading(Write("data.bin", file));
    ForwardReader reader(stream);
    Block block;

    ASSERT_TRUE(reader.Take(kWindow - 3, block));
    EXPECT_TRUE(block == slice(0, kWindow - 3));
    const std::span<const uint8_t> head = reader.Peek(6);  // three bytes left in the window
    EXPECT_TRUE(Bytes(head.begin(), head.end()) == slice(kWindow - 3, 6));
    ASSERT_TRUE(reader.Skip(6));
    // Most of a window, then more than a whole one past what the window holds.
    ASSERT_TRUE(reader.Take(kWindow / 2, block));
    EXPECT_TRUE(block == slice(kWindow + 3, kWindow / 2));
    ASSERT_TRUE(reader.Take(2 * kWindow, block));
    EXPECT_TRUE(block == slice(kWindow * 3 / 2 + 3, 2 * kWindow));
    EXPECT_EQ(reader.Position(), kWindow * 7 / 2 + 3);

    ASSERT_TRUE(reader.Take(file.size() - reader.Position() - 4, block));
    EXPECT_EQ(reader.Peek(6).size(), 4u);
    EXPECT_FALSE(reader.Skip(6));
    EXPECT_FALSE(reader.Take(5, block));
    FileStream again = FileStream::OpenForReading(PathOf("data.bin"));
    EXPECT_FALSE(ForwardReader(again).Take(file.size() + 1, block));
}

}  // namespace
}  // namespace pellwise
