#include "gamedata/object_import.h"

#include <gtest/gtest.h>

#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

using ObjectImport = GameContextTest;

// A scene as the reader leaves it: every section present, sizes in step.
SceneFile LoadedScene(std::vector<Bytes> objects, std::vector<Bytes> definitions = {}) {
    SceneFile scene;
    scene.TotalSize = 30;
    for (SectionList* list : {&scene.Objects, &scene.Difinitions, &scene.SectionAE50, &scene.SectionAE02})
        list->Size = 6;
    for (const Bytes& chunk : objects) AppendChunk(scene, scene.Objects, chunk);
    for (const Bytes& chunk : definitions) AppendChunk(scene, scene.Difinitions, chunk);
    return scene;
}

// The fuzzer feeds damage of every kind; here the message, and that a file
// that cannot be opened is no object file.
TEST_F(ObjectImport, ADamagedObjectFileIsReportedAndNotStored) {
    SceneFile store;
    const std::string path = Write("bad.dnc", Join({Le16(kChunkObject), Le32(100), Text("short")}));
    EXPECT_FALSE(LoadObjectFile(store, path, context).Read);
    ExpectOneError("Damaged object file: " + path);
    EXPECT_FALSE(LoadObjectFile(store, PathOf("missing.dnc"), context).Read);
    EXPECT_EQ(messages_.Count(), 0);
    EXPECT_EQ(store.TotalSize, 0u);
}

TEST_F(ObjectImport, OnlyTheFirstChunkOfTheSameNameAndCaseInTheSameSectionIsReplacedAfterOneQuestion) {
    SceneFile scene =
        LoadedScene({Object("a", 1), Object("b"), Object("a", 2), Object("Door")}, {ScriptDefinition("door", "")});
    AppendChunk(scene, scene.SectionAE02, EntryAE03());
    messages_.QueueAnswer(kIdYes);

    EXPECT_EQ(AddChunk(scene, Object("door"), context), AddOutcome::Appended);
    EXPECT_EQ(AddChunk(scene, EntryAE51("Door"), context), AddOutcome::Appended);
    EXPECT_EQ(messages_.Count(), 0);
    EXPECT_EQ(AddChunk(scene, Object("a", 30), context), AddOutcome::Replaced);
    EXPECT_EQ(AddChunk(scene, Chunk(kChunkAE03, {9}), context), AddOutcome::Replaced);  // every 0xAE03 is NoName

    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.Messages()[0].text, "Overwrite?\rReally?");
    EXPECT_EQ(messages_.Messages()[0].flags, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(scene.Objects.Chunks,
              (std::vector<Block>{Object("b"), Object("a", 2), Object("Door"), Object("door"), Object("a", 30)}));
    EXPECT_EQ(scene.SectionAE02.Chunks, std::vector<Block>{Chunk(kChunkAE03, {9})});
}

TEST_F(ObjectImport, NoOrAnyOtherAnswerKeepsTheOldChunksOfTheScene) {
    SceneFile scene = LoadedScene({Object("a", 1)});
    const uint32_t total = scene.TotalSize;
    messages_.QueueAnswer(kIdOk);

    EXPECT_EQ(AddChunk(scene, Object("a", 9), context), AddOutcome::Kept);
    EXPECT_EQ(scene.Objects.Chunks, std::vector<Block>{Object("a", 1)});
    EXPECT_EQ(scene.TotalSize, total);
}

// The import closes the places of replaced chunks in one pass at its end; the
// scene must come out as if each chunk had been added on its own, and its
// names must still be found where they now stand.
TEST_F(ObjectImport, AnImportLeavesTheSceneAsAddingEachChunkInTurnDoes) {
    const SceneFile original = LoadedScene({Object("a", 1), Object("b"), Object("a", 2), Object("c"), Object("d")},
                                           {ScriptDefinition("s", ""), ScriptDefinition("t", "")});
    SceneFile store;
    for (const Bytes& chunk : {Object("c", 7), Object("a", 8), Object("e"), Object("d", 9)})
        AppendChunk(store, store.Objects, chunk);
    AppendChunk(store, store.Difinitions, ScriptDefinition("s", "new"));

    SceneFile imported = original;
    imported.OverwriteAnswer = Answer::Yes;
    ImportObjects(imported, store, context);
    SceneFile oneByOne = original;
    oneByOne.OverwriteAnswer = Answer::Yes;
    for (const SectionList* list : {&store.Objects, &store.Difinitions})
        for (const Block& chunk : list->Chunks) AddChunk(oneByOne, chunk, context);

    EXPECT_EQ(imported.Objects.Chunks, oneByOne.Objects.Chunks);
    EXPECT_EQ(imported.Difinitions.Chunks, oneByOne.Difinitions.Chunks);
    EXPECT_EQ(imported.TotalSize, oneByOne.TotalSize);
    EXPECT_EQ(imported.Objects.Size, oneByOne.Objects.Size);
    EXPECT_EQ(FindByName(imported.Objects, "a"), 1);  // the second "a" of the scene, now first
    EXPECT_EQ(FindByName(imported.Objects, "d"), 5);
    EXPECT_EQ(FindByName(imported.Difinitions, "s"), 1);
}

}  // namespace
}  // namespace pellwise
