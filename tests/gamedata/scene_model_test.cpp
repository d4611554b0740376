#include <gtest/gtest.h>

#include <random>

#include "gamedata/scene_file.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

// Names decide which chunk an import replaces; they are read inside the chunk
// whatever its fields claim.
TEST(SceneChunkName, ComesFromTheFieldsOfEachKindAndStaysInsideTheChunk) {
    EXPECT_EQ(ChunkName(Object("Lamp01", 20)), "Lamp01");
    // Without a leading 0x0010 chunk the second nested chunk holds the name.
    EXPECT_EQ(ChunkName(Chunk(kChunkObject, Join({Chunk(0x0022, {1}), Chunk(0x7777, Sz("door")), Chunk(0x0010, {})}))),
              "door");
    EXPECT_EQ(ChunkName(Definition("Tommy")), "Tommy");
    EXPECT_EQ(ChunkName(EntryAE51("gate")), "gate");
    EXPECT_EQ(ChunkName(EntryAE03()), "NoName");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(15), Le16(0x0010), Le32(100), Text("abc")})), "abc");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkObject), Le32(14), Le16(0x0022), Le32(0xFFFFFFF0)})), "");
    EXPECT_EQ(ChunkName(Join({Le16(kChunkAE51), Le32(13), {0}, Le32(6), Text("abcdef")})), "ab");
}

int FirstByScan(const SectionList& list, const std::string& name) {
    for (int i = 0; i < list.Count(); ++i)
        if (ChunkName(list.Chunks[static_cast<size_t>(i)]) == name) return i;
    return -1;
}

Bytes ChunkNamed(const std::string& name) { return name == "NoName" ? EntryAE03() : Object(name); }

// Look-ups go through an index kept beside the list; whatever mix of appends,
// removals (of the first, a later and the only holder of a name), a list
// filled directly as the reader fills it and a cleared list, it must answer
// as a scan from the front.
TEST(SceneFindByName, AnswersAsAScanFromTheFrontThroughAppendsRemovalsAndRefills) {
    std::mt19937 random(7);
    const std::vector<std::string> names = {"a", "b", "c", "", "NoName", "A", "long name of an object"};
    auto pick = [&] { return names[random() % names.size()]; };
    SceneFile scene;
    SectionList& list = scene.Objects;
    for (int step = 0; step < 3000; ++step) {
        const int action = static_cast<int>(random() % 20);
        if (action < 8) {
            AppendChunk(scene, list, ChunkNamed(pick()));
        } else if (action < 15) {
            RemoveChunk(scene, list, static_cast<int>(random() % static_cast<unsigned>(list.Count() + 1)));
        } else if (action < 17) {
            list.Chunks.push_back(ChunkNamed(pick()));  // as the reader adds them
        } else if (action == 17) {
            ClearList(list);
        }
        for (const std::string& name : names) ASSERT_EQ(FindByName(list, name), FirstByScan(list, name)) << step;
    }
}

}  // namespace
}  // namespace pellwise
