#include "gamedata/object_layout.h"

#include <gtest/gtest.h>

#include "gamedata/text_references.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

class ObjectLayout : public GameContextTest {
protected:
    Bytes Rewritten(const Bytes& definition) {
        SceneFile scene;
        scene.Difinitions.Chunks.push_back(definition);
        RewriteTextReferences(scene, 0, context);
        return scene.Difinitions.Chunks[0];
    }
};

// What the lint says of each marker against what the rewrite does to it:
// those it calls rewritten are replaced, the others stay as they were.
TEST_F(ObjectLayout, MarkersCalledRewrittenAreExactlyThoseTheRewriteReplaces) {
    const Bytes nameAndType5 = Join({Chunk(kDefinitionNameChunk, Sz("d")), Chunk(kDefinitionTypeChunk, Le32(5))});
    const struct {
        Bytes block;
        std::vector<MarkerFate> fates;
    } rows[] = {
        {ScriptDefinition("a", "Say #@$&000001 and #@$&000003#@$&000002! #@$&999999"),
         {MarkerFate::Rewritten, MarkerFate::Rewritten, MarkerFate::Rewritten, MarkerFate::Rewritten}},
        {ScriptDefinition("b", "#@$&000001", 4), {MarkerFate::NotAScript}},
        // A key swallows the marker inside it; one cut short ends the rewrite.
        {ScriptDefinition("c", "#@$&0#@$&000001 then #@$&#@$&"),
         {MarkerFate::Rewritten, MarkerFate::CutShort, MarkerFate::CutShort}},
        {Chunk(kChunkDefinition,
               Join({nameAndType5, Le16(kDefinitionDataChunk), Le32(16), Bytes(10, 'x'), Text("#@$&000001")})),
         {MarkerFate::NoText}},
        {Chunk(kChunkObject, Join({Chunk(0x0010, Sz("o")), Text("#@$&000001")})), {MarkerFate::NotADefinition}},
    };
    for (const auto& row : rows) {
        const std::vector<TextMarker> markers = FindTextMarkers(row.block);
        const Bytes after = row.block[0] == 0x21 ? Rewritten(row.block) : row.block;
        ASSERT_EQ(markers.size(), row.fates.size());
        for (size_t i = 0; i < markers.size(); ++i) {
            const bool replaced = !std::equal(after.begin() + markers[i].Offset, after.begin() + markers[i].Offset + 4,
                                              std::string_view("#@$&").begin());
            EXPECT_EQ(markers[i].Fate, row.fates[i]) << i;
            EXPECT_EQ(replaced, markers[i].Fate == MarkerFate::Rewritten) << i << " at " << markers[i].Offset;
            EXPECT_EQ(std::string(row.block.begin() + markers[i].Offset,
                                  row.block.begin() + markers[i].Offset + markers[i].Key.size()),
                      markers[i].Key);
        }
    }
}

}  // namespace
}  // namespace pellwise
