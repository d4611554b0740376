#include <gtest/gtest.h>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

TEST(SceneChunkName, ObjectsAreNamedByA0010ChunkOrElseByTheSecondNestedChunk) {
    EXPECT_EQ(ChunkName(Chunk(kChunkObject, Chunk(0x0010, {'c', 'a', 'r', 0}))), "car");
    EXPECT_EQ(ChunkName(Object("Lamp01", 20)), "Lamp01");
    const Bytes secondNamed =
        Chunk(kChunkObject, Join({Chunk(0x0022, {1, 2, 3}), Chunk(0x7777, Sz("door")), Chunk(0x0010, Text("wrong"))}));
    EXPECT_EQ(ChunkName(secondNamed), "door");
}

TEST(SceneChunkName, DefinitionsAndAE51EntriesHaveNamesAndOtherKindsAreNoName) {
    EXPECT_EQ(ChunkName(Definition("Tommy")), "Tommy");
    EXPECT_EQ(ChunkName(EntryAE51("gate")), "gate");
    EXPECT_EQ(ChunkName(EntryAE03()), "NoName");
    EXPECT_EQ(ChunkName(Chunk(0x1234, Text("anything"))), "NoName");
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

TEST(SceneFindByName, FindsTheFirstExactMatchAndCaseMatters) {
    SectionList list;
    list.Chunks = {Object("Car"), Object("car"), Object("car"), EntryAE03()};
    EXPECT_EQ(FindByName(list, "car"), 1);
    EXPECT_EQ(FindByName(list, "CAR"), -1);
    EXPECT_EQ(FindByName(list, "NoName"), 3);
}

TEST(SceneAppendChunk, AnAbsentSectionComesIntoBeingWithItsSixByteHead) {
    SceneFile scene;
    scene.Objects.Size = 6;
    scene.TotalSize = 12;
    AppendChunk(scene, scene.Objects, Object("a"));
    AppendChunk(scene, scene.SectionAE02, EntryAE03());
    AppendChunk(scene, scene.SectionAE02, EntryAE03());
    EXPECT_EQ(scene.Objects.Size, 6 + Object("a").size());
    EXPECT_EQ(scene.SectionAE02.Size, 6 + 2 * EntryAE03().size());
    EXPECT_EQ(scene.TotalSize, 6 + scene.Objects.Size + scene.SectionAE02.Size);
}

TEST(SceneAppendChunk, KeepsOnlyTheChunkAndRefusesImpossibleSizes) {
    SceneFile scene;
    EXPECT_TRUE(AppendChunk(scene, scene.Objects, Join({Object("x"), Text("tail of the object file")})));
    EXPECT_EQ(scene.Objects.Chunks.back(), Object("x"));
    const uint32_t total = scene.TotalSize;
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Join({Le16(kChunkObject), Le32(5)})));
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Join({Le16(kChunkObject), Le32(40), Bytes(10, 0)})));
    EXPECT_EQ(scene.Objects.Count(), 1);
    EXPECT_EQ(scene.TotalSize, total);
}

TEST(SceneClear, EmptiesTheSceneButKeepsTheOverwriteAnswer) {
    SceneFile scene;
    scene.OverwriteAnswer = 2;
    AppendChunk(scene, scene.Objects, Object("a"));
    scene.UnknownSections.push_back({0x1234, Section(0x1234, {})});
    RemoveChunk(scene, scene.Objects, 1);  // beyond the count: nothing happens
    EXPECT_EQ(scene.Objects.Count(), 1);
    Clear(scene);
    EXPECT_EQ(scene.Objects.Count(), 0);
    EXPECT_EQ(scene.Objects.Size, 0u);
    EXPECT_TRUE(scene.UnknownSections.empty());
    EXPECT_EQ(scene.TotalSize, 0u);
    EXPECT_EQ(scene.OverwriteAnswer, 2);
}

}  // namespace
}  // namespace pellwise
