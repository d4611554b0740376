#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

using SceneReaderTest = SceneFileTest;

const Bytes kSmallestScene = {0x53, 0x4C, 0x18, 0, 0, 0, 0x00, 0x40, 6, 0, 0, 0,
                              0x20, 0xAE, 6,    0, 0, 0, 0x50, 0xAE, 6, 0, 0, 0};

TEST_F(SceneReaderTest, TheSmallestSceneHasThreeEmptySectionsAndNoAE02) {
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", kSmallestScene), messages_));
    EXPECT_EQ(scene.TotalSize, 24u);
    EXPECT_EQ(scene.HeaderChunks.Count(), 0);
    for (const SectionList* list : {&scene.Objects, &scene.Difinitions, &scene.SectionAE50}) {
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(list->Size, 6u);
    }
    EXPECT_EQ(scene.SectionAE02.Count(), 0);
    EXPECT_EQ(scene.SectionAE02.Size, 0u);
    EXPECT_EQ(scene.FileName, PathOf("scene2.bin"));
    EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(SceneReaderTest, HeadChunksAndSectionsInAnyOrderGoToTheirListsInFileOrder) {
    const Bytes headA = Chunk(0x0001, {1, 2});
    const Bytes headB = Chunk(0x1234, Bytes(40, 7));
    // The reader does not look at the ids of the chunks inside a section.
    const Bytes stray = Chunk(0x9999, {5});
    const Bytes file =
        SceneBytes(Join({headA, headB, Section(kSectionAE50, {EntryAE51("b"), stray}),
                         Section(kSectionDefinitions, {Definition("d1"), Definition("d2")}),
                         Section(kSectionAE02, {EntryAE03()}), Section(kSectionObjects, {Object("o")})}));
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));

    EXPECT_EQ(scene.TotalSize, file.size());
    EXPECT_EQ(scene.HeaderChunks.Chunks, (std::vector<Block>{headA, headB}));
    EXPECT_EQ(scene.SectionAE50.Chunks, (std::vector<Block>{EntryAE51("b"), stray}));
    EXPECT_EQ(scene.Difinitions.Chunks, (std::vector<Block>{Definition("d1"), Definition("d2")}));
    EXPECT_EQ(scene.SectionAE02.Chunks, (std::vector<Block>{EntryAE03()}));
    EXPECT_EQ(scene.Objects.Chunks, (std::vector<Block>{Object("o")}));
    EXPECT_EQ(scene.Objects.Size, 6 + Object("o").size());
    EXPECT_TRUE(scene.UnknownSections.empty());
}

TEST_F(SceneReaderTest, AnUnrecognisedSectionIsKeptVerbatimWithoutAMessage) {
    const Bytes odd = Section(0x1234, {Chunk(0x0001, {1, 2, 3})});
    const Bytes file = SceneBytes(
        Join({Section(kSectionObjects, {Object("a")}), odd, Section(kSectionDefinitions, {}), Section(0x5555, {})}));
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    ASSERT_EQ(scene.UnknownSections.size(), 2u);
    EXPECT_EQ(scene.UnknownSections[0].Id, 0x1234);
    EXPECT_EQ(scene.UnknownSections[0].Bytes, odd);
    EXPECT_EQ(scene.UnknownSections[1].Id, 0x5555);
    EXPECT_EQ(scene.Difinitions.Size, 6u);
    EXPECT_EQ(scene.TotalSize, file.size());
    EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(SceneReaderTest, BytesAfterTheTotalSizeAreNotRead) {
    Bytes file = kSmallestScene;
    Append(file, Text("trailing garbage"));
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    EXPECT_EQ(scene.TotalSize, 24u);
    EXPECT_TRUE(scene.UnknownSections.empty());
}

TEST_F(SceneReaderTest, ASecondHeadReplacesTheTotalAndAddsItsHeadChunks) {
    const Bytes first = Section(kSectionObjects, {Object("a")});
    const Bytes secondHeadChunk = Chunk(0x0002, {9});
    const Bytes rest = Join({secondHeadChunk, Section(kSectionAE50, {})});
    const uint32_t fileSize = static_cast<uint32_t>(6 + first.size() + 6 + rest.size());
    // The first head's total ends with the second head: only the second
    // head's total lets the reader go on.
    const Bytes file = Join({Le16(kSceneSignature), Le32(static_cast<uint32_t>(6 + first.size() + 6)), first,
                             Le16(kSceneSignature), Le32(fileSize), rest});
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    EXPECT_EQ(scene.HeaderChunks.Chunks, (std::vector<Block>{secondHeadChunk}));
    EXPECT_EQ(scene.SectionAE50.Size, 6u);
    // One head is written back, so the model's total leaves out the second.
    EXPECT_EQ(scene.TotalSize, fileSize - 6);
}

TEST_F(SceneReaderTest, ARepeatedSectionJoinsTheEarlierOneUnderOneHead) {
    const Bytes file = SceneBytes(Join({Section(kSectionObjects, {Object("a")}), Section(kSectionAE50, {}),
                                        Section(kSectionObjects, {Object("b"), Object("c")})}));
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    ASSERT_EQ(scene.Objects.Count(), 3);
    EXPECT_EQ(ChunkName(scene.Objects.Chunks[2]), "c");
    EXPECT_EQ(scene.Objects.Size, 6 + Object("a").size() + Object("b").size() + Object("c").size());
    EXPECT_EQ(scene.TotalSize, file.size() - 6);
}

TEST_F(SceneReaderTest, AFileThatCannotBeOpenedIsReportedAndTheLoadFails) {
    std::filesystem::create_directory(dir_ / "folder");
    for (const std::string& path : {PathOf("missing.bin"), PathOf("folder")}) {
        messages_.Clear();
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, path, messages_));
        ASSERT_EQ(messages_.Count(), 1);
        EXPECT_EQ(messages_.Messages()[0].text, "Scene2bin unit: Can't open file\rFileName = " + path);
        EXPECT_EQ(messages_.Messages()[0].flags, kMbOk | kMbIconError);
    }
}

TEST_F(SceneReaderTest, AWrongSignatureIsReportedOnceAndLeavesTheSceneEmpty) {
    for (const Bytes& file : {Bytes{}, Bytes{0x53}, Bytes{0x4C, 0x53, 0x18, 0, 0, 0, 0, 0x40, 6, 0, 0, 0}}) {
        messages_.Clear();
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
        ASSERT_EQ(messages_.Count(), 1);
        EXPECT_EQ(messages_.Messages()[0].text, "Scene2bin unit: Incorrect file signature");
        EXPECT_EQ(messages_.Messages()[0].flags, kMbOk | kMbIconError);
        EXPECT_EQ(scene.TotalSize, 0u);
        EXPECT_EQ(scene.Objects.Count(), 0);
    }
}

struct DamagedCase {
    const char* what;
    Bytes file;
    uint32_t offset;
};

Bytes WithTotal(uint32_t total, const Bytes& body) { return Join({Le16(kSceneSignature), Le32(total), body}); }

std::vector<DamagedCase> DamagedFiles() {
    const Bytes objects = Section(kSectionObjects, {Object("a")});  // 26 bytes
    const Bytes headChunk = Chunk(0x0001, {1, 2, 3, 4});            // 10 bytes
    return {
        {"head cut short", {0x53, 0x4C, 0x18, 0}, 0},
        {"file ends before the total size", WithTotal(100, objects), 32},
        {"total size ends inside the file head", WithTotal(4, objects), 0},
        {"total size ends inside a head chunk", WithTotal(12, Join({headChunk, objects})), 6},
        {"head never followed by a section", WithTotal(16, headChunk), 16},
        {"head chunk of size 0", SceneBytes(Join({Le16(1), Le32(0), Section(kSectionAE50, {})})), 6},
        {"section runs past the total size", WithTotal(30, objects), 6},
        {"section size below 6", SceneBytes(Join({Le16(kSectionObjects), Le32(2), Section(kSectionAE50, {})})), 6},
        {"chunk size below 6", SceneBytes(Join({Le16(kSectionAE50), Le32(12), Le16(kChunkAE51), Le32(5)})), 12},
        {"chunk runs past its section",
         SceneBytes(Join({Le16(kSectionAE50), Le32(14), Le16(kChunkAE51), Le32(9), Bytes(5, 0)})), 12},
        {"section ends with a stray byte",
         SceneBytes(Join({Le16(kSectionAE50), Le32(13), Chunk(kChunkAE51, {}), Bytes(1, 0)})), 18},
        {"a stray byte before the total size", SceneBytes(Join({objects, Bytes(1, 0)})), 32},
        {"unrecognised section runs past the file", SceneBytes(Join({objects, Le16(0x1234), Le32(1000)})), 32},
    };
}

TEST_F(SceneReaderTest, DamagedFilesAreReportedWithTheOffsetAndLeftUntouched) {
    for (const DamagedCase& c : DamagedFiles()) {
        SCOPED_TRACE(c.what);
        messages_.Clear();
        const std::string path = Write("scene2.bin", c.file);
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, path, messages_));
        ASSERT_EQ(messages_.Count(), 1);
        EXPECT_EQ(messages_.Messages()[0].text,
                  "Scene2bin unit: Damaged file\rFileName = " + path + "\rOffset = " + std::to_string(c.offset));
        EXPECT_EQ(messages_.Messages()[0].flags, kMbOk | kMbIconError);
        EXPECT_EQ(scene.TotalSize, 0u);
        EXPECT_EQ(scene.HeaderChunks.Count() + scene.Objects.Count() + scene.SectionAE50.Count(), 0);
        EXPECT_EQ(ReadBack(path), c.file);
    }
}

}  // namespace
}  // namespace pellwise
