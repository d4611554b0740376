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
    Bytes LoadChangeSave(const Bytes& file, Change change) {
        const std::string path = Write("scene2.bin", file);
        SceneFile scene;
        EXPECT_TRUE(LoadFromFile(scene, path, messages_));
        change(scene);
        EXPECT_TRUE(SaveToFile(scene, path, messages_));
        EXPECT_EQ(messages_.Count(), 0);
        const Bytes written = ReadBack(path);
        const uint64_t promised = SceneContent(scene) ? SceneContent(scene)->Size : 0;
        EXPECT_TRUE(LoadFromFile(scene, path, messages_));
        EXPECT_EQ(scene.TotalSize + scene.Trailing.size(), written.size());
        EXPECT_EQ(promised, written.size());
        EXPECT_EQ(scene.FileSize, written.size());
        return written;
    }
    Bytes LoadSave(const Bytes& file) {
        return LoadChangeSave(file, [](SceneFile&) {});
    }
};

const Bytes kHeadChunks = Join({Chunk(0x0001, {1, 0, 0, 0}), Chunk(0x3200, Bytes(12, 0x3F))});

Bytes FullScene() {
    return SceneBytes(
        Join({kHeadChunks, Section(kSectionObjects, {Object("car", 50), Object("lamp")}),
              Section(kSectionDefinitions, {Definition("car")}), Section(kSectionAE02, {EntryAE03(), EntryAE03()}),
              Section(kSectionAE50, {EntryAE51("x")})}));
}

TEST_F(SceneWriterTest, ScenesAreWrittenBackWithTheKnownSectionsInTheFixedOrderAndTheUnknownBehind) {
    const Bytes objects = Section(kSectionObjects, {Object("a")});
    const Bytes definitions = Section(kSectionDefinitions, {});
    const Bytes ae02 = Section(kSectionAE02, {EntryAE03()});
    const Bytes ae50 = Section(kSectionAE50, {EntryAE51("e")});
    const Bytes odd = Section(0x1234, {Chunk(0x0001, {1, 2, 3}), Chunk(0x0002, {})});
    const Bytes odder = Section(0x00FF, {});
    const struct {
        const char* what;
        Bytes file;
        Bytes written;
    } cases[] = {
        {"bytes beyond its total are written back behind it", Join({kSmallestScene, Text("beyond")}),
         Join({kSmallestScene, Text("beyond")})},
        {"any order", SceneBytes(Join({ae50, ae02, definitions, objects})),
         SceneBytes(Join({objects, definitions, ae02, ae50}))},
        {"unknown among known", SceneBytes(Join({objects, odd, ae50, odder})),
         SceneBytes(Join({objects, ae50, odd, odder}))},
        {"a repeated section joins the first, one head less",
         SceneBytes(Join({objects, ae50, Section(kSectionObjects, {Object("b")})})),
         SceneBytes(Join({Section(kSectionObjects, {Object("a"), Object("b")}), ae50}))},
    };
    for (const auto& c : cases) EXPECT_EQ(LoadSave(c.file), c.written) << c.what;
    EXPECT_TRUE(LoadSave(LargeScene()) == LargeScene());
}

TEST_F(SceneWriterTest, AddedRemovedAndEmptiedChunksKeepTheFileConsistent) {
    EXPECT_EQ(
        LoadChangeSave(FullScene(),
                       [](SceneFile& scene) {
                           AppendChunk(scene, scene.Objects, Object("new", 78));
                           RemoveChunk(scene, scene.Difinitions, 0);
                           // An emptied 0xAE02 section is left out with its head.
                           RemoveChunk(scene, scene.SectionAE02, 1);
                           RemoveChunk(scene, scene.SectionAE02, 0);
                       }),
        SceneBytes(Join({kHeadChunks, Section(kSectionObjects, {Object("car", 50), Object("lamp"), Object("new", 78)}),
                         Section(kSectionDefinitions, {}), Section(kSectionAE50, {EntryAE51("x")})})));
    // Sections the file did not have come into being with their heads.
    EXPECT_EQ(LoadChangeSave(SceneBytes(Section(kSectionObjects, {})),
                             [](SceneFile& scene) {
                                 AppendChunk(scene, scene.Difinitions, Definition("d"));
                                 AppendChunk(scene, scene.SectionAE02, EntryAE03());
                             }),
              SceneBytes(Join({Section(kSectionObjects, {}), Section(kSectionDefinitions, {Definition("d")}),
                               Section(kSectionAE02, {EntryAE03()})})));
}

// A failed save, or a model whose sizes disagree with its chunks, is reported
// and leaves the old file as it was.
TEST_F(SceneWriterTest, NothingIsWrittenWhenTheSaveFailsOrTheModelDisagreesWithItsSizes) {
    const std::string path = Write("scene2.bin", FullScene());
    auto refused = [&](auto breakModel, InjectedFault fault = InjectedFault::None) {
        SceneFile scene;
        ASSERT_TRUE(LoadFromFile(scene, path, messages_));
        breakModel(scene);
        EXPECT_FALSE(SaveToFile(scene, path, messages_, fault));
        ExpectOneError("Scene2bin unit: Can't write file\rFileName = " + path);
    };
    refused([](SceneFile& s) { AppendChunk(s, s.Objects, Object("new")); }, InjectedFault::Write);
    refused([](SceneFile& s) { s.Objects.Chunks.push_back(Object("past the bookkeeping")); });
    refused([](SceneFile& s) { s.TotalSize += 1; });
    refused([](SceneFile& s) { s.Difinitions.Chunks[0].resize(10); });
    refused([](SceneFile& s) {
        Clear(s);  // never loaded: no file head in the total
        AppendChunk(s, s.Objects, Object("a"));
    });
    EXPECT_EQ(ReadBack(path), FullScene());
    EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
}

}  // namespace
}  // namespace pellwise
