#include <gtest/gtest.h>

#include "gamedata/forward_reader.h"
#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

using SceneReaderTest = SceneFileTest;

TEST_F(SceneReaderTest, DamageDeepInsideALargeSceneGivesItsOffset) {
    std::vector<size_t> offsets;
    Bytes file = LargeScene(&offsets);
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, Write("scene2.bin", file), messages_));

    const size_t damaged = offsets[2500];
    file[damaged + 2] = 3;  // a chunk size below 6
    file[damaged + 3] = file[damaged + 4] = file[damaged + 5] = 0;
    EXPECT_FALSE(LoadFromFile(scene, Write("scene2.bin", file), messages_));
    ExpectOneError("Scene2bin unit: Damaged file\rFileName = " + PathOf("scene2.bin") +
                   "\rOffset = " + std::to_string(damaged));
}

TEST_F(SceneReaderTest, AFileThatCannotBeOpenedOrHasAWrongSignatureFailsTheLoad) {
    SceneFile scene;
    FileError error;
    EXPECT_FALSE(LoadFromFile(scene, PathOf("missing.bin"), error));
    ExpectReasonAdded(FileErrorText(error), "Scene2bin unit: Can't open file\rFileName = " + PathOf("missing.bin"),
                      "not found");
    EXPECT_FALSE(LoadFromFile(scene, Write("scene2.bin", {0x4C, 0x53, 0x0C, 0, 0, 0, 0, 0x40, 6, 0, 0, 0}), messages_));
    ExpectOneError("Scene2bin unit: Incorrect file signature");
}

Bytes WithTotal(uint32_t total, const Bytes& body) { return Join({Le16(kSceneSignature), Le32(total), body}); }

// The load hashes what it reads, through its window and past it for a chunk
// larger than the window, so that a backup of the scene needs no second read.
TEST_F(SceneReaderTest, TheLoadGivesTheDigestOfTheWholeFile) {
    Bytes large(ForwardReader::kWindowSize + 4099, 0x5A);
    for (size_t i = 0; i < large.size(); i += 97) large[i] = static_cast<uint8_t>(i);
    const Bytes chunk = Join({Le16(kChunkObject), Le32(static_cast<uint32_t>(large.size() + 6)), large});
    const Bytes objects = Join({Le16(kSectionObjects), Le32(static_cast<uint32_t>(chunk.size() + 6)), chunk});
    for (const Bytes& file : {LargeScene(nullptr), WithTotal(static_cast<uint32_t>(objects.size() + 6), objects)}) {
        SceneFile scene;
        const std::string path = Write("scene2.bin", file);
        ASSERT_TRUE(LoadFromFile(scene, path, messages_));
        EXPECT_EQ(std::optional<FileDigest>(scene.Read), DigestOfFile(path));
        EXPECT_EQ(scene.Read.Size, file.size());
    }
}

// A scene loaded over another keeps the room of the lists before it: every
// chunk must still be exactly the file's, whatever stood there before.
TEST_F(SceneReaderTest, ASceneLoadedOverAnotherEqualsAFreshLoad) {
    Bytes objects;
    for (int i = 0; i < 500; ++i) {
        const Bytes object = Object("other" + std::to_string(i), 40 + (i * 37) % 300);
        objects.insert(objects.end(), object.begin(), object.end());
    }
    const std::string first = Write("first.bin", LargeScene());
    const std::string second = Write("second.bin", SceneBytes(Chunk(kSectionObjects, objects)));
    SceneFile reused, fresh;
    for (const std::string& path : {first, second, first}) {
        ASSERT_TRUE(LoadFromFile(reused, path, messages_));
        ASSERT_TRUE(LoadFromFile(fresh = SceneFile{}, path, messages_));
        EXPECT_EQ(reused.Objects.Chunks, fresh.Objects.Chunks) << path;
        EXPECT_EQ(reused.HeaderChunks.Chunks, fresh.HeaderChunks.Chunks) << path;
        Clear(reused);
    }
}

// One row per kind of size that disagrees with the file; the fuzzer covers
// damage at random.
TEST_F(SceneReaderTest, DamagedFilesFailTheLoadWithTheOffsetAndStayUntouched) {
    const Bytes objects = Section(kSectionObjects, {Object("a")});  // 26 bytes
    const struct {
        const char* what;
        Bytes file;
        uint32_t offset;
    } cases[] = {
        {"head cut short", {0x53, 0x4C, 0x18, 0}, 0},
        {"file ends before the total size", WithTotal(100, objects), 32},
        {"total size ends inside a head chunk", WithTotal(12, Join({Chunk(0x0001, {1, 2, 3, 4}), objects})), 6},
        {"section runs past the total size", WithTotal(30, objects), 6},
        {"chunk runs past its section",
         SceneBytes(Join({Le16(kSectionAE50), Le32(14), Le16(kChunkAE51), Le32(9), Bytes(5, 0)})), 12},
        {"section ends in a stray byte", SceneBytes(Join({Le16(kSectionAE50), Le32(13), Chunk(1, {}), {0}})), 18},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Write("scene2.bin", c.file);
        SceneFile scene;
        EXPECT_FALSE(LoadFromFile(scene, path, messages_));
        ExpectOneError("Scene2bin unit: Damaged file\rFileName = " + path + "\rOffset = " + std::to_string(c.offset));
        EXPECT_EQ(scene.TotalSize, 0u);
        EXPECT_EQ(scene.Objects.Count(), 0);
        EXPECT_EQ(ReadBack(path), c.file);
    }
}

}  // namespace
}  // namespace pellwise
