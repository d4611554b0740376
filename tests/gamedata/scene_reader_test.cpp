#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

using SceneReaderTest = SceneFileTest;

TEST_F(SceneReaderTest, HeadChunksAndSectionsInAnyOrderGoToTheirListsInFileOrder) {
    const Bytes head = Chunk(0x1234, Bytes(40, 7));
    const Bytes stray = Chunk(0x9999, {5});  // chunk ids inside a section are not looked at
    const Bytes file = SceneBytes(Join({Chunk(0x0001, {1}), head, Section(kSectionAE50, {EntryAE51("b"), stray}),
                                        Section(kSectionDefinitions, {Definition("d1"), Definition("d2")}),
                                        Section(kSectionObjects, {Object("o")})}));
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    EXPECT_EQ(scene.TotalSize, file.size());
    EXPECT_EQ(scene.HeaderChunks.Chunks, (std::vector<Block>{Chunk(0x0001, {1}), head}));
    EXPECT_EQ(scene.SectionAE50.Chunks, (std::vector<Block>{EntryAE51("b"), stray}));
    EXPECT_EQ(scene.Difinitions.Chunks, (std::vector<Block>{Definition("d1"), Definition("d2")}));
    EXPECT_EQ(scene.Objects.Size, 6 + Object("o").size());
}

TEST_F(SceneReaderTest, ALargeSceneLoadsWholeAndDamageDeepInsideItGivesItsOffset) {
    std::vector<size_t> offsets;
    Bytes file = LargeScene(&offsets);
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    EXPECT_EQ(scene.TotalSize, file.size());
    ASSERT_EQ(scene.Objects.Count(), 3002);
    EXPECT_EQ(scene.Objects.Chunks[2999], Object("object2999", 97 + 2999 % 13));
    EXPECT_EQ(scene.Objects.Chunks[3000], Object("huge", 2000000));
    EXPECT_EQ(ChunkName(scene.Objects.Chunks[3001]), "after");
    ASSERT_EQ(scene.UnknownSections.size(), 1u);
    EXPECT_EQ(scene.UnknownSections[0].Bytes.size(), 300006u);

    const size_t damaged = offsets[2500];
    file[damaged + 2] = 3;  // a chunk size below 6
    file[damaged + 3] = file[damaged + 4] = file[damaged + 5] = 0;
    EXPECT_FALSE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    ExpectOneError("Scene2bin unit: Damaged file\rFileName = " + PathOf("scene2.bin") +
                   "\rOffset = " + std::to_string(damaged));
}

TEST_F(SceneReaderTest, AFileThatCannotBeOpenedOrHasAWrongSignatureFailsTheLoad) {
    std::filesystem::create_directory(dir_ / "folder");
    for (const std::string& path : {PathOf("missing.bin"), PathOf("folder")}) {
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, path, messages_));
        ExpectOneError("Scene2bin unit: Can't open file\rFileName = " + path);
    }
    for (const Bytes& file : {Bytes{}, Bytes{0x53}, Bytes{0x4C, 0x53, 0x0C, 0, 0, 0, 0, 0x40, 6, 0, 0, 0}}) {
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
        ExpectOneError("Scene2bin unit: Incorrect file signature");
        EXPECT_EQ(scene.TotalSize, 0u);
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
    const Bytes ae50 = Section(kSectionAE50, {});
    return {
        {"head cut short", {0x53, 0x4C, 0x18, 0}, 0},
        {"file ends before the total size", WithTotal(100, objects), 32},
        {"total size ends inside the file head", WithTotal(4, objects), 0},
        {"total size ends inside a head chunk", WithTotal(12, Join({headChunk, objects})), 6},
        {"head never followed by a section", WithTotal(16, headChunk), 16},
        {"head chunk of size 0", SceneBytes(Join({Le16(1), Le32(0), ae50})), 6},
        {"section runs past the total size", WithTotal(30, objects), 6},
        {"section size below 6", SceneBytes(Join({Le16(kSectionObjects), Le32(2), ae50})), 6},
        {"chunk size below 6", SceneBytes(Join({Le16(kSectionAE50), Le32(12), Le16(kChunkAE51), Le32(5)})), 12},
        {"chunk runs past its section",
         SceneBytes(Join({Le16(kSectionAE50), Le32(14), Le16(kChunkAE51), Le32(9), Bytes(5, 0)})), 12},
        {"section ends in a stray byte", SceneBytes(Join({Le16(kSectionAE50), Le32(13), Chunk(1, {}), {0}})), 18},
        {"a stray byte before the total size", SceneBytes(Join({objects, {0}})), 32},
        {"unrecognised section runs past the file", SceneBytes(Join({objects, Le16(0x1234), Le32(1000)})), 32},
    };
}

TEST_F(SceneReaderTest, DamagedFilesFailTheLoadWithTheOffsetAndStayUntouched) {
    for (const DamagedCase& c : DamagedFiles()) {
        SCOPED_TRACE(c.what);
        const std::string path = Write("scene2.bin", c.file);
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, path, messages_));
        ExpectOneError("Scene2bin unit: Damaged file\rFileName = " + path + "\rOffset = " + std::to_string(c.offset));
        EXPECT_EQ(scene.TotalSize, 0u);
        EXPECT_EQ(scene.HeaderChunks.Count() + scene.Objects.Count() + scene.SectionAE50.Count(), 0);
        EXPECT_EQ(ReadBack(path), c.file);
    }
}

}  // namespace
}  // namespace pellwise
