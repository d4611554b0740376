#include <gtest/gtest.h>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

TEST(SceneChunkName, ComesFromTheFieldsOfEachKindAndOtherKindsAreNoName) {
    EXPECT_EQ(ChunkName(Object("Lamp01", 20)), "Lamp01");
    // Without a leading 0x0010 chunk the second nested chunk holds the name.
    const Bytes secondNamed =
        Chunk(kChunkObject, Join({Chunk(0x0022, {1, 2, 3}), Chunk(0x7777, Sz("door")), Chunk(0x0010, Text("wrong"))}));
    EXPECT_EQ(ChunkName(secondNamed), "door");
    EXPECT_EQ(ChunkName(Definition("Tommy")), "Tommy");
    EXPECT_EQ(ChunkName(EntryAE51("gate")), "gate");
    EXPECT_EQ(ChunkName(EntryAE03()), "NoName");
    EXPECT_EQ(ChunkName(Block{}), "NoName");
}

TEST(SceneChunkName, StaysInsideTheChunkWhateverItsFieldsClaim) {
    // Name chunk of 100 bytes inside a 15-byte object, no NUL.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(15), Le16(0x0010), Le32(100), Text("abc")})), "abc");
    // First nested chunk sends the name chunk far beyond the block.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(14), Le16(0x0022), Le32(0xFFFFFFF0)})), "");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(9), Le16(0x0010), {0x20}})), "");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkAE51), Le32(14), {0}, Le32(0x7FFFFFFF), Text("xyz")})), "xyz");
    // A block shorter than its size field, and one longer (an object file's tail).
    EXPECT_EQ(ChunkName(Join({Le16(kChunkDefinition), Le32(400), Le16(1), Le32(20), Text("Pau")})), "Pau");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkAE51), Le32(13), {0}, Le32(6), Text("abcdef")})), "ab");
}

TEST(SceneAppendChunk, KeepsOnlyTheChunkAndRefusesImpossibleSizesAndRemovesOnlyInsideTheList) {
    SceneFile scene;
    EXPECT_TRUE(AppendChunk(scene, scene.Objects, Join({Object("x"), Text("tail of the object file")})));
    EXPECT_EQ(scene.Objects.Chunks.back(), Object("x"));
    const uint32_t total = scene.TotalSize;
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Join({Le16(kChunkObject), Le32(5)})));
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Join({Le16(kChunkObject), Le32(40), Bytes(10, 0)})));
    RemoveChunk(scene, scene.Objects, 1);  // beyond the list: nothing happens
    RemoveChunk(scene, scene.Objects, -1);
    EXPECT_EQ(scene.Objects.Count(), 1);
    EXPECT_EQ(scene.TotalSize, total);
}

}  // namespace
}  // namespace pellwise
