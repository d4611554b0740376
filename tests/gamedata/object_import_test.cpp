#include "gamedata/object_import.h"

#include <gtest/gtest.h>

#include <optional>

#include "gamedata/game_context.h"
#include "gamedata/text_db.h"
#include "services/settings_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

class ObjectImport : public SceneFileTest {
protected:
    void SetUp() override {
        SceneFileTest::SetUp();
        newTexts.emplace(Write("NewTexts.ini", Text("[texts]\n#@$&000001=Hello\n")));
        db.Append("game text", 10);
        db.Append("end", 20);
        context.TextDb = &db;
        context.NewTexts = &*newTexts;
        context.OverwriteQuestion = "Overwrite?\rReally?";
        context.AfterChunk = [this] { ++repaints; };
    }

    // A scene as the reader leaves it: every section present, sizes in step.
    static SceneFile LoadedScene(std::vector<Bytes> objects, std::vector<Bytes> definitions = {}) {
        SceneFile scene;
        scene.TotalSize = 30;
        for (SectionList* list : {&scene.Objects, &scene.Difinitions, &scene.SectionAE50, &scene.SectionAE02})
            list->Size = 6;
        for (const Bytes& chunk : objects) AppendChunk(scene, scene.Objects, chunk);
        for (const Bytes& chunk : definitions) AppendChunk(scene, scene.Difinitions, chunk);
        return scene;
    }

    SceneFile store;
    std::optional<SettingsFile> newTexts;
    TextDB db;
    GameContext context{messages_, nullptr, nullptr, {}, {}};
    int repaints = 0;
};

TEST_F(ObjectImport, DamagedObjectFilesAreReportedAndNotStored) {
    const Bytes damaged[] = {{},
                             {0x10, 0x40, 0x05},
                             Join({Le16(kChunkObject), Le32(5)}),
                             Join({Le16(kChunkObject), Le32(100), Text("short")})};
    for (const Bytes& bytes : damaged) {
        const std::string path = Write("bad.dnc", bytes);
        EXPECT_FALSE(LoadObjectFile(store, path, context));
        ExpectOneError("Damaged object file: " + path);
    }
    EXPECT_FALSE(LoadObjectFile(store, PathOf("missing.dnc"), context));
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

TEST_F(ObjectImport, NoOrAnyOtherAnswerKeepsTheOldChunksOfTheSceneEvenAfterClear) {
    SceneFile scene = LoadedScene({Object("a", 1)});
    const uint32_t total = scene.TotalSize;
    messages_.QueueAnswer(kIdOk);
    messages_.QueueAnswer(kIdYes);

    EXPECT_EQ(AddChunk(scene, Object("a", 9), context), AddOutcome::Kept);
    EXPECT_EQ(scene.Objects.Chunks, std::vector<Block>{Object("a", 1)});
    EXPECT_EQ(scene.TotalSize, total);

    Clear(scene);
    AppendChunk(scene, scene.Objects, Object("a", 1));
    EXPECT_EQ(AddChunk(scene, Object("a", 9), context), AddOutcome::Kept);
    EXPECT_EQ(messages_.Count(), 1);
}

TEST_F(ObjectImport, AnAppendedDefinitionIsRewrittenAtItsNewIndex) {
    SceneFile scene = LoadedScene({}, {ScriptDefinition("x", "#@$&000001"), ScriptDefinition("y", "#@$&000001"),
                                       ScriptDefinition("z", "#@$&000001")});
    AddChunk(scene, ScriptDefinition("new", "#@$&000001"), context);
    ASSERT_EQ(scene.Difinitions.Count(), 4);
    EXPECT_EQ(scene.Difinitions.Chunks[2], ScriptDefinition("z", "#@$&000001"));
    EXPECT_EQ(scene.Difinitions.Chunks[3], ScriptDefinition("new", "0000000011"));
}

// The whole road of one mission: object files into the store, the store into
// the mission's scene file, both written back and read again.
TEST_F(ObjectImport, PatchesAMissionFromObjectFilesToTheSavedScene) {
    const Bytes header = Chunk(0x0001, Text("head"));
    const auto mission = [&](std::initializer_list<Bytes> objects, std::initializer_list<Bytes> definitions,
                             std::initializer_list<Bytes> entries) {
        return SceneBytes(Join({header, Section(kSectionObjects, objects), Section(kSectionDefinitions, definitions),
                                Section(kSectionAE02, {EntryAE03()}), Section(kSectionAE50, entries)}));
    };
    const std::string scenePath = Write(
        "scene2.bin",
        mission({Object("car", 1), Object("lamp")}, {ScriptDefinition("intro", "#@$&000001", 4)}, {EntryAE51("gate")}));
    const std::string dbPath =
        Write("textdb.def", Join({Le32(2), Le32(0), Le32(7), Le32(24), Le32(8), Le32(34), Sz("game text"), Sz("end")}));
    TextDB gameDb;
    ASSERT_TRUE(Load(gameDb, dbPath, messages_));
    context.TextDb = &gameDb;
    // Bytes after an object file's chunk are not part of it; a kind no section holds is dropped.
    for (const auto& [name, chunk] : std::vector<std::pair<std::string, Bytes>>{
             {"car.dnc", Join({Object("car", 50), Text("tail bytes")})},
             {"tree.dnc", Object("tree")},
             {"script.dnc", ScriptDefinition("mod", "#@$&000001 and #@$&000002")},
             {"door.dnc", EntryAE51("door")},
             {"noname.dnc", EntryAE03()},
             {"odd.dnc", Chunk(0x1234, Text("odd"))}})
        ASSERT_TRUE(LoadObjectFile(store, Write(name, chunk), context));
    const SceneFile storeBefore = store;

    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, scenePath, messages_));
    messages_.QueueAnswer(kIdYes);
    ImportObjects(scene, store, context);
    ASSERT_TRUE(SaveToFile(scene, scenePath, messages_));
    ASSERT_TRUE(Save(gameDb, dbPath, messages_));

    // The store's 0xAE03 entry is not imported: the scene keeps its own.
    EXPECT_EQ(ReadBack(scenePath), mission({Object("lamp"), Object("car", 50), Object("tree")},
                                           {ScriptDefinition("intro", "#@$&000001", 4),
                                            ScriptDefinition("mod", "0000000009 and 0000000010")},
                                           {EntryAE51("gate"), EntryAE51("door")}));
    EXPECT_EQ(repaints, 4);
    EXPECT_EQ(store.Objects.Chunks, storeBefore.Objects.Chunks);
    EXPECT_EQ(store.Difinitions.Chunks, storeBefore.Difinitions.Chunks);
    TextDB reloaded;
    ASSERT_TRUE(Load(reloaded, dbPath, messages_));
    EXPECT_EQ(reloaded.FirstIdOf("Hello"), 9u);
    EXPECT_EQ(reloaded.FirstIdOf("no text"), 10u);
    EXPECT_EQ(reloaded.Entry(3).Text, "end");
    ASSERT_EQ(messages_.Count(), 1);  // the overwrite question, once
    EXPECT_EQ(messages_.Messages()[0].flags, kMbYesNo | kMbIconQuestion);
}

}  // namespace
}  // namespace pellwise
