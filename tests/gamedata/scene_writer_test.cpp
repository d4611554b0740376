#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

class SceneWriterTest : public SceneFileTest {
protected:
    // Loads `file`, lets `change` work on the scene, saves it over the same
    // file and returns what was written.
    template <typename Change>
    Bytes LoadChangeSave(const Bytes& file, Change change) {
        const std::string path = Write("scene2.bin", file);
        SceneFile scene;
        EXPECT_TRUE(LoadFromFile(scene, path, messages_));
        change(scene);
        EXPECT_TRUE(SaveToFile(scene, path, messages_));
        EXPECT_EQ(messages_.Count(), 0);
        return ReadBack(path);
    }

    Bytes LoadSave(const Bytes& file) {
        return LoadChangeSave(file, [](SceneFile&) {});
    }

    // Every file the writer produces must read back whole, with the total
    // size equal to its length.
    SceneFile ReadAgain(const Bytes& written) {
        SceneFile scene;
        EXPECT_TRUE(LoadFromFile(scene, Write("again.bin", written), messages_));
        EXPECT_EQ(scene.TotalSize, written.size());
        return scene;
    }
};

const Bytes kHeadChunks = Join({Chunk(0x0001, {1, 0, 0, 0}), Chunk(0x3200, Bytes(12, 0x3F))});

Bytes FullScene() {
    return SceneBytes(
        Join({kHeadChunks, Section(kSectionObjects, {Object("car", 50), Object("lamp")}),
              Section(kSectionDefinitions, {Definition("car")}), Section(kSectionAE02, {EntryAE03(), EntryAE03()}),
              Section(kSectionAE50, {EntryAE51("x")})}));
}

TEST_F(SceneWriterTest, WellFormedScenesAreWrittenBackByteForByte) {
    const Bytes smallest = {0x53, 0x4C, 0x18, 0, 0, 0, 0x00, 0x40, 6, 0, 0, 0,
                            0x20, 0xAE, 6,    0, 0, 0, 0x50, 0xAE, 6, 0, 0, 0};
    EXPECT_EQ(LoadSave(smallest), smallest);
    EXPECT_EQ(LoadSave(FullScene()), FullScene());
    // Absent sections stay absent.
    const Bytes sparse = SceneBytes(Section(kSectionObjects, {Object("a")}));
    EXPECT_EQ(LoadSave(sparse), sparse);
}

TEST_F(SceneWriterTest, AE02IsWrittenBeforeAE50WhateverTheOrderRead) {
    const Bytes objects = Section(kSectionObjects, {Object("a")});
    const Bytes definitions = Section(kSectionDefinitions, {});
    const Bytes ae02 = Section(kSectionAE02, {EntryAE03()});
    const Bytes ae50 = Section(kSectionAE50, {EntryAE51("e")});
    EXPECT_EQ(LoadSave(SceneBytes(Join({ae50, ae02, definitions, objects}))),
              SceneBytes(Join({objects, definitions, ae02, ae50})));
}

TEST_F(SceneWriterTest, AddedAndRemovedChunksMoveTheSizesByTheirOwnSize) {
    const Block added = Object("new", 78);
    ASSERT_EQ(added.size(), 100u);
    const Bytes written = LoadChangeSave(FullScene(), [&](SceneFile& scene) {
        AppendChunk(scene, scene.Objects, added);
        RemoveChunk(scene, scene.Difinitions, 0);
    });

    const SceneFile before = ReadAgain(FullScene());
    const SceneFile after = ReadAgain(written);
    EXPECT_EQ(after.TotalSize, before.TotalSize + 100 - Definition("car").size());
    EXPECT_EQ(after.Objects.Size, before.Objects.Size + 100);
    EXPECT_EQ(after.Difinitions.Size, 6u);
    ASSERT_EQ(after.Objects.Count(), 3);
    EXPECT_EQ(after.Objects.Chunks.back(), added);
    EXPECT_EQ(after.SectionAE02.Chunks, before.SectionAE02.Chunks);
    EXPECT_EQ(after.HeaderChunks.Chunks, before.HeaderChunks.Chunks);
}

TEST_F(SceneWriterTest, ASectionTheFileLackedIsWrittenOnceItHoldsAChunk) {
    const Bytes written = LoadChangeSave(SceneBytes(Section(kSectionObjects, {})), [](SceneFile& scene) {
        AppendChunk(scene, scene.Difinitions, Definition("d"));
        AppendChunk(scene, scene.SectionAE02, EntryAE03());
    });
    EXPECT_EQ(written, SceneBytes(Join({Section(kSectionObjects, {}), Section(kSectionDefinitions, {Definition("d")}),
                                        Section(kSectionAE02, {EntryAE03()})})));
    ReadAgain(written);
}

TEST_F(SceneWriterTest, AnEmptiedAE02SectionIsLeftOutWithItsHead) {
    const Bytes written = LoadChangeSave(FullScene(), [](SceneFile& scene) {
        RemoveChunk(scene, scene.SectionAE02, 1);
        RemoveChunk(scene, scene.SectionAE02, 0);
    });
    const SceneFile scene = ReadAgain(written);
    EXPECT_EQ(scene.SectionAE02.Size, 0u);
    EXPECT_EQ(scene.SectionAE50.Count(), 1);
}

TEST_F(SceneWriterTest, UnrecognisedSectionsKeepEveryByte) {
    const Bytes known = Join({Section(kSectionObjects, {Object("a")}), Section(kSectionDefinitions, {})});
    const Bytes ae50 = Section(kSectionAE50, {EntryAE51("e")});
    const Bytes odd = Section(0x1234, {Chunk(0x0001, {1, 2, 3}), Chunk(0x0002, {})});
    const Bytes odder = Section(0x00FF, {});

    const Bytes after = SceneBytes(Join({known, ae50, odd, odder}));
    EXPECT_EQ(LoadSave(after), after);

    // Between the known sections they move behind them, in file order.
    EXPECT_EQ(LoadSave(SceneBytes(Join({known, odd, ae50, odder}))), after);
}

TEST_F(SceneWriterTest, RepeatedSectionsAndASecondHeadWriteBackAsOneConsistentFile) {
    const Bytes first = Section(kSectionObjects, {Object("a")});
    const Bytes rest = Join({Chunk(0x0002, {9}), Section(kSectionObjects, {Object("b")}), Section(kSectionAE50, {})});
    const Bytes file =
        Join({Le16(kSceneSignature), Le32(static_cast<uint32_t>(6 + first.size() + 6)), first, Le16(kSceneSignature),
              Le32(static_cast<uint32_t>(12 + first.size() + rest.size())), rest});
    const SceneFile scene = ReadAgain(LoadSave(file));
    ASSERT_EQ(scene.Objects.Count(), 2);
    EXPECT_EQ(ChunkName(scene.Objects.Chunks[1]), "b");
    EXPECT_EQ(scene.HeaderChunks.Count(), 1);
}

class SceneSaveFailureTest : public SceneWriterTest {
protected:
    void ExpectRefused(const std::string& path, const SceneFile& scene, InjectedFault fault = InjectedFault::None) {
        messages_.Clear();
        EXPECT_FALSE(SaveToFile(scene, path, messages_, fault));
        ASSERT_EQ(messages_.Count(), 1);
        EXPECT_EQ(messages_.Messages()[0].text, "Scene2bin unit: Can't write file\rFileName = " + path);
        EXPECT_EQ(messages_.Messages()[0].flags, kMbOk | kMbIconError);
    }

    SceneFile Loaded(const std::string& path) {
        SceneFile scene;
        EXPECT_TRUE(LoadFromFile(scene, path, messages_));
        return scene;
    }
};

TEST_F(SceneSaveFailureTest, AFaultAtAnyStageLeavesTheOldFileAndNoTemporary) {
    const std::string path = Write("scene2.bin", FullScene());
    SceneFile scene = Loaded(path);
    AppendChunk(scene, scene.Objects, Object("new"));
    for (InjectedFault fault :
         {InjectedFault::Create, InjectedFault::Write, InjectedFault::Flush, InjectedFault::Replace}) {
        SCOPED_TRACE(static_cast<int>(fault));
        ExpectRefused(path, scene, fault);
        EXPECT_EQ(ReadBack(path), FullScene());
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"scene2.bin"});
    }
}

TEST_F(SceneSaveFailureTest, ATargetThatCannotBeAFileIsReported) {
    const SceneFile scene = Loaded(Write("scene2.bin", FullScene()));
    std::filesystem::create_directory(dir_ / "folder");
    ExpectRefused(PathOf("folder"), scene);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder"));
    ExpectRefused((dir_ / "scene2.bin" / "scene2.bin").string(), scene);
    EXPECT_EQ(ReadBack(PathOf("scene2.bin")), FullScene());
}

TEST_F(SceneSaveFailureTest, AModelWhoseSizesDisagreeWithItsChunksIsNotWritten) {
    const std::string path = Write("scene2.bin", FullScene());
    {
        SceneFile scene = Loaded(path);
        scene.Objects.Chunks.push_back(Object("pushed past the bookkeeping"));
        ExpectRefused(path, scene);
    }
    {
        SceneFile scene = Loaded(path);
        scene.TotalSize += 1;
        ExpectRefused(path, scene);
    }
    {
        SceneFile scene = Loaded(path);
        scene.Difinitions.Chunks[0].resize(10);  // shorter than its size field
        ExpectRefused(path, scene);
    }
    {
        SceneFile scene;  // never loaded: no file head in its total
        AppendChunk(scene, scene.Objects, Object("a"));
        ExpectRefused(path, scene);
    }
    EXPECT_EQ(ReadBack(path), FullScene());
}

}  // namespace
}  // namespace pellwise
