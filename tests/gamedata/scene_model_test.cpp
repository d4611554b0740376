#include <gtest/gtest.h>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

TEST(SceneChunkName, ObjectTakesItsNameFromALeading0010ChunkUpToTheNul) {
    EXPECT_EQ(ChunkName(Chunk(kChunkObject, Chunk(0x0010, {'c', 'a', 'r', 0}))), "car");
    EXPECT_EQ(ChunkName(Object("Lamp01", 20)), "Lamp01");
}

TEST(SceneChunkName, ObjectWithAnotherFirstChunkTakesTheSecondWhateverItsId) {
    const Bytes block = Chunk(
        kChunkObject, Join({Chunk(0x0022, {1, 2, 3}), Chunk(0x7777, Text("door")), Chunk(0x0010, Text("wrong"))}));
    EXPECT_EQ(ChunkName(block), "door");
}

TEST(SceneChunkName, DefinitionsAndAE51EntriesHaveNamesAndOtherKindsAreNoName) {
    EXPECT_EQ(ChunkName(Definition("Tommy")), "Tommy");
    EXPECT_EQ(ChunkName(EntryAE51("gate")), "gate");
    EXPECT_EQ(ChunkName(EntryAE03()), "NoName");
    EXPECT_EQ(ChunkName(Chunk(0x1234, Text("anything"))), "NoName");
    EXPECT_EQ(ChunkName(Block{}), "NoName");
}

TEST(SceneChunkName, StaysInsideTheChunkWhenItsFieldsClaimMore) {
    // Name chunk claims 100 bytes inside a 15-byte object, without a NUL.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(15), Le16(0x0010), Le32(100), Text("abc")})), "abc");
    // First nested chunk's size sends the name chunk far beyond the block.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(14), Le16(0x0022), Le32(0xFFFFFFF0)})), "");
    // Head cut short.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(9), Le16(0x0010), {0x20}})), "");
    // AE51 name length beyond the block.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkAE51), Le32(14), {0}, Le32(0x7FFFFFFF), Text("xyz")})), "xyz");
    // Definition whose block is shorter than its size field says.
    EXPECT_EQ(ChunkName(Join({Le16(kChunkDefinition), Le32(400), Le16(1), Le32(20), Text("Pau")})), "Pau");
}

TEST(SceneChunkName, BytesAfterTheChunkSizeAreNotPartOfTheName) {
    // An object file may hold more bytes than its chunk; the name stops at the chunk's end.
    Bytes block = Join({Le16(kChunkAE51), Le32(13), {0}, Le32(6), Text("ab")});
    Append(block, Text("cdef"));
    EXPECT_EQ(ChunkName(block), "ab");
}

TEST(SceneFindByName, FindsTheFirstExactMatchAndCaseMatters) {
    SectionList list;
    list.Chunks = {Object("Car"), Object("car"), Object("car"), EntryAE03(), EntryAE03()};
    EXPECT_EQ(FindByName(list, "car"), 1);
    EXPECT_EQ(FindByName(list, "Car"), 0);
    EXPECT_EQ(FindByName(list, "CAR"), -1);
    EXPECT_EQ(FindByName(list, "NoName"), 3);
    EXPECT_EQ(FindByName(SectionList{}, "car"), -1);
}

SceneFile SceneWithObjects() {
    SceneFile scene;
    scene.Objects.Chunks = {Object("a", 10), Object("b", 20), Object("c", 30)};
    scene.Objects.Size = 6;
    for (const Block& b : scene.Objects.Chunks) scene.Objects.Size += ChunkSize(b);
    scene.TotalSize = 6 + scene.Objects.Size;
    return scene;
}

TEST(SceneRemoveChunk, RemovesTheChunkAndSubtractsItsSizeFromBothSizes) {
    SceneFile scene = SceneWithObjects();
    const uint32_t total = scene.TotalSize;
    const uint32_t section = scene.Objects.Size;
    const uint32_t removed = ChunkSize(scene.Objects.Chunks[1]);

    RemoveChunk(scene, scene.Objects, 1);

    ASSERT_EQ(scene.Objects.Count(), 2);
    EXPECT_EQ(ChunkName(scene.Objects.Chunks[1]), "c");
    EXPECT_EQ(scene.Objects.Size, section - removed);
    EXPECT_EQ(scene.TotalSize, total - removed);
}

TEST(SceneRemoveChunk, IndexOutsideTheListChangesNothing) {
    SceneFile scene = SceneWithObjects();
    const uint32_t total = scene.TotalSize;
    RemoveChunk(scene, scene.Objects, 3);
    RemoveChunk(scene, scene.Objects, -1);
    EXPECT_EQ(scene.Objects.Count(), 3);
    EXPECT_EQ(scene.TotalSize, total);
}

TEST(SceneAppendChunk, GrowsAPresentSectionByTheChunkSize) {
    SceneFile scene = SceneWithObjects();
    const uint32_t total = scene.TotalSize;
    const uint32_t section = scene.Objects.Size;

    EXPECT_TRUE(AppendChunk(scene, scene.Objects, Object("d", 100)));

    EXPECT_EQ(ChunkSize(Object("d", 100)), 120u);
    EXPECT_EQ(scene.Objects.Size, section + 120);
    EXPECT_EQ(scene.TotalSize, total + 120);
    EXPECT_EQ(ChunkName(scene.Objects.Chunks.back()), "d");
}

TEST(SceneAppendChunk, AnAbsentSectionComesIntoBeingWithItsHead) {
    SceneFile scene = SceneWithObjects();
    const uint32_t total = scene.TotalSize;
    const Bytes entry = EntryAE03();

    AppendChunk(scene, scene.SectionAE02, entry);
    EXPECT_EQ(scene.SectionAE02.Size, 6 + entry.size());
    EXPECT_EQ(scene.TotalSize, total + 6 + entry.size());

    AppendChunk(scene, scene.SectionAE02, entry);
    EXPECT_EQ(scene.SectionAE02.Size, 6 + 2 * entry.size());
}

TEST(SceneAppendChunk, KeepsOnlyTheChunkBytesAndRefusesBlocksWithImpossibleSizes) {
    SceneFile scene;
    Bytes withTail = Object("x");
    const size_t size = withTail.size();
    Append(withTail, Text("trailing bytes of the object file"));
    EXPECT_TRUE(AppendChunk(scene, scene.Objects, withTail));
    EXPECT_EQ(scene.Objects.Chunks.back().size(), size);

    const uint32_t total = scene.TotalSize;
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Join({Le16(kChunkObject), Le32(5)})));
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Join({Le16(kChunkObject), Le32(40), Bytes(10, 0)})));
    EXPECT_FALSE(AppendChunk(scene, scene.Objects, Block{1, 2}));
    EXPECT_EQ(scene.Objects.Count(), 1);
    EXPECT_EQ(scene.TotalSize, total);
}

TEST(SceneClear, EmptiesEveryListButKeepsTheAnswerAndTheFileName) {
    SceneFile scene = SceneWithObjects();
    scene.OverwriteAnswer = 2;
    scene.FileName = "scene2.bin";
    scene.HeaderChunks.Chunks = {Chunk(0x0001, {})};
    scene.Difinitions.Chunks = {Definition("d")};
    scene.SectionAE50.Chunks = {EntryAE51("e")};
    scene.SectionAE02.Chunks = {EntryAE03()};
    scene.SectionAE02.Size = 16;
    scene.UnknownSections.push_back({0x1234, Section(0x1234, {})});

    Clear(scene);

    for (const SectionList* list :
         {&scene.HeaderChunks, &scene.Objects, &scene.Difinitions, &scene.SectionAE50, &scene.SectionAE02}) {
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(list->Size, 0u);
    }
    EXPECT_TRUE(scene.UnknownSections.empty());
    EXPECT_EQ(scene.TotalSize, 0u);
    EXPECT_EQ(scene.OverwriteAnswer, 2);
    EXPECT_EQ(scene.FileName, "scene2.bin");
}

}  // namespace
}  // namespace pellwise
