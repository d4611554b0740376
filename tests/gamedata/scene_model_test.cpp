#include <gtest/gtest.h>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

// Names decide which chunk an import replaces; they are read inside the chunk
// whatever its fields claim.
TEST(SceneChunkName, ComesFromTheFieldsOfEachKindAndStaysInsideTheChunk) {
    EXPECT_EQ(ChunkName(Object("Lamp01", 20)), "Lamp01");
    // Without a leading 0x0010 chunk the second nested chunk holds the name.
    EXPECT_EQ(ChunkName(Chunk(kChunkObject, Join({Chunk(0x0022, {1}), Chunk(0x7777, Sz("door")), Chunk(0x0010, {})}))),
              "door");
    EXPECT_EQ(ChunkName(Definition("Tommy")), "Tommy");
    EXPECT_EQ(ChunkName(EntryAE51("gate")), "gate");
    EXPECT_EQ(ChunkName(EntryAE03()), "NoName");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(15), Le16(0x0010), Le32(100), Text("abc")})), "abc");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(14), Le16(0x0022), Le32(0xFFFFFFF0)})), "");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkAE51), Le32(13), {0}, Le32(6), Text("abcdef")})), "ab");
}

}  // namespace
}  // namespace pellwise
