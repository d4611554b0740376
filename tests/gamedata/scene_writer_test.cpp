#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

class SceneWriterTest : public SceneFileTest {
protected:
    // Loads `file`, lets `change` work on the scene and saves it over the
    // same file. Returns what was written after checking that it reads back
    // whole, with the total size equal to its length.
    template <typename Change>
    Bytes LoadChangeSave(const Bytes& file, Change change, SceneFile* readBack = nullptr) {
        const std::string path = Write("scene2.bin", file);
        SceneFile scene;
        EXPECT_TRUE(LoadFromFile(scene, path, messages_));
        change(scene);
        EXPECT_TRUE(SaveToFile(scene, path, messages_));
        EXPECT_EQ(messages_.Count(), 0);
        const Bytes written = ReadBack(path);
        SceneFile again;
        EXPECT_TRUE(LoadFromFile(again, path, messages_));
        EXPECT_EQ(again.TotalSize, written.size());
        if (readBack) *readBack = std::move(again);
        return written;
    }

    Bytes LoadSave(const Bytes& file, SceneFile* readBack = nullptr) {
        return LoadChangeSave(
            file, [](SceneFile&) {}, readBack);
    }
};

Bytes FullScene() {
    return SceneBytes(
        Join({Chunk(0x0001, {1, 0, 0, 0}), Chunk(0x3200, Bytes(12, 0x3F)),
              Section(kSectionObjects, {Object("car", 50), Object("lamp")}),
              Section(kSectionDefinitions, {Definition("car")}), Section(kSectionAE02, {EntryAE03(), EntryAE03()}),
              Section(kSectionAE50, {EntryAE51("x")})}));
}

TEST_F(SceneWriterTest, WellFormedScenesAreWrittenBackByteForByte) {
    EXPECT_EQ(LoadSave(kSmallestScene), kSmallestScene);
    EXPECT_EQ(LoadSave(FullScene()), FullScene());
    const Bytes sparse = SceneBytes(Section(kSectionObjects, {Object("a")}));
    EXPECT_EQ(LoadSave(sparse), sparse);
    EXPECT_TRUE(LoadSave(LargeScene()) == LargeScene());
}

TEST_F(SceneWriterTest, SectionsAreWrittenInTheFixedOrderWithAE02BeforeAE50) {
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
    SceneFile before, after;
    LoadSave(FullScene(), &before);
    LoadChangeSave(
        FullScene(),
        [&](SceneFile& scene) {
            AppendChunk(scene, scene.Objects, added);
            RemoveChunk(scene, scene.Difinitions, 0);
        },
        &after);
    EXPECT_EQ(after.TotalSize, before.TotalSize + 100 - Definition("car").size());
    EXPECT_EQ(after.Objects.Size, before.Objects.Size + 100);
    EXPECT_EQ(after.Difinitions.Size, 6u);
    ASSERT_EQ(after.Objects.Count(), 3);
    EXPECT_EQ(after.Objects.Chunks.back(), added);
    EXPECT_EQ(after.SectionAE02.Chunks, before.SectionAE02.Chunks);
}

TEST_F(SceneWriterTest, SectionsThatComeIntoBeingOrEmptyKeepTheFileConsistent) {
    const Bytes written = LoadChangeSave(SceneBytes(Section(kSectionObjects, {})), [](SceneFile& scene) {
        AppendChunk(scene, scene.Difinitions, Definition("d"));
        AppendChunk(scene, scene.SectionAE02, EntryAE03());
    });
    EXPECT_EQ(written, SceneBytes(Join({Section(kSectionObjects, {}), Section(kSectionDefinitions, {Definition("d")}),
                                        Section(kSectionAE02, {EntryAE03()})})));

    SceneFile emptied;
    LoadChangeSave(
        FullScene(),
        [](SceneFile& scene) {
            RemoveChunk(scene, scene.SectionAE02, 1);
            RemoveChunk(scene, scene.SectionAE02, 0);
        },
        &emptied);
    EXPECT_EQ(emptied.SectionAE02.Size, 0u);
}

TEST_F(SceneWriterTest, UnrecognisedSectionsKeepEveryByteBehindTheKnownOnes) {
    const Bytes objects = Section(kSectionObjects, {Object("a")});
    const Bytes ae50 = Section(kSectionAE50, {EntryAE51("e")});
    const Bytes odd = Section(0x1234, {Chunk(0x0001, {1, 2, 3}), Chunk(0x0002, {})});
    const Bytes odder = Section(0x00FF, {});
    const Bytes behind = SceneBytes(Join({objects, ae50, odd, odder}));
    EXPECT_EQ(LoadSave(behind), behind);
    EXPECT_EQ(LoadSave(SceneBytes(Join({objects, odd, ae50, odder}))), behind);
}

TEST_F(SceneWriterTest, RepeatedSectionsAndASecondHeadBecomeOneSectionUnderOneHead) {
    const Bytes first = Section(kSectionObjects, {Object("a")});
    const Bytes rest = Join({Chunk(0x0002, {9}), Section(kSectionObjects, {Object("b")}), Section(kSectionAE50, {})});
    // The first head's total ends with the second head, whose total counts the whole file.
    const Bytes file =
        Join({Le16(kSceneSignature), Le32(static_cast<uint32_t>(12 + first.size())), first, Le16(kSceneSignature),
              Le32(static_cast<uint32_t>(12 + first.size() + rest.size())), rest});
    SceneFile scene;
    EXPECT_EQ(LoadSave(file, &scene),
              SceneBytes(Join({Chunk(0x0002, {9}), Section(kSectionObjects, {Object("a"), Object("b")}),
                               Section(kSectionAE50, {})})));
}

using SceneSaveFailureTest = SceneFileTest;

TEST_F(SceneSaveFailureTest, AFailedSaveIsReportedAndLeavesTheOldFileAlone) {
    const std::string path = Write("scene2.bin", FullScene());
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, path, messages_));
    AppendChunk(scene, scene.Objects, Object("new"));
    for (InjectedFault fault :
         {InjectedFault::Create, InjectedFault::Write, InjectedFault::Flush, InjectedFault::Replace}) {
        EXPECT_FALSE(SaveToFile(scene, path, messages_, fault));
        ExpectOneError("Scene2bin unit: Can't write file\rFileName = " + path);
    }
    std::filesystem::create_directory(dir_ / "folder");
    for (const std::string& target : {PathOf("folder"), (dir_ / "scene2.bin" / "scene2.bin").string()}) {
        EXPECT_FALSE(SaveToFile(scene, target, messages_));
        ExpectOneError("Scene2bin unit: Can't write file\rFileName = " + target);
    }
    EXPECT_EQ(ReadBack(path), FullScene());
    EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
}

TEST_F(SceneSaveFailureTest, AModelWhoseSizesDisagreeWithItsChunksIsNotWritten) {
    const std::string path = Write("scene2.bin", FullScene());
    auto refused = [&](auto breakModel) {
        SceneFile scene;
        ASSERT_TRUE(LoadFromFile(scene, path, messages_));
        breakModel(scene);
        EXPECT_FALSE(SaveToFile(scene, path, messages_));
        ExpectOneError("Scene2bin unit: Can't write file\rFileName = " + path);
    };
    refused([](SceneFile& s) { s.Objects.Chunks.push_back(Object("past the bookkeeping")); });
    refused([](SceneFile& s) { s.TotalSize += 1; });
    refused([](SceneFile& s) { s.Difinitions.Chunks[0].resize(10); });
    refused([](SceneFile& s) {
        Clear(s);  // never loaded: no file head in the total
        AppendChunk(s, s.Objects, Object("a"));
    });
    EXPECT_EQ(ReadBack(path), FullScene());
}

}  // namespace
}  // namespace pellwise
