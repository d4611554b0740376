#include "gamedata/text_references.h"

#include <gtest/gtest.h>

#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

class TextReferences : public GameContextTest {
protected:
    // Puts `definition` last in the scene's definitions, rewrites it and returns it.
    Bytes Rewrite(const Bytes& definition) {
        scene.Difinitions.Chunks.push_back(definition);
        RewriteTextReferences(scene, scene.Difinitions.Count() - 1, context);
        return scene.Difinitions.Chunks.back();
    }

    SceneFile scene;
};

// Equal texts share one ID, and keys missing from NewTexts.ini share one "no text".
TEST_F(TextReferences, ReplaceEachKeyByItsTextsIdAndNothingElse) {
    newTexts->Section = "other";
    scene.Difinitions.Chunks.push_back(ScriptDefinition("before", "#@$&000002"));

    EXPECT_EQ(Rewrite(ScriptDefinition("Intro", "Say #@$&000001 and #@$&000003#@$&000002! #@$&999999 #@$&000999")),
              ScriptDefinition("Intro", "Say 0000000011 and 00000000100000000011! 0000000012 0000000012"));
    ASSERT_EQ(db.Count(), 4);
    EXPECT_EQ(db.Entry(1).Text + "," + db.Entry(2).Text + "," + db.Entry(3).Text, "Hello,no text,end");
    EXPECT_EQ(scene.Difinitions.Chunks[0], ScriptDefinition("before", "#@$&000002"));
    EXPECT_EQ(newTexts->Section, "texts");
    EXPECT_EQ(messages_.Count(), 0);
}

// Only the text of a well-formed script definition is rewritten, and only as
// far as its data chunk and its block reach.
TEST_F(TextReferences, LeaveOtherTypesAndMalformedDataAloneAndStayInsideTheDataChunkAndTheBlock) {
    const Bytes marker = Text("text #@$&000001 text");
    const Bytes nameAndType5 = Join({Chunk(kDefinitionNameChunk, Text("d")), Chunk(kDefinitionTypeChunk, Le32(5))});
    const Bytes prefix(14, 'x');
    const auto definition = [&](const Bytes& data) { return Chunk(kChunkDefinition, Join({nameAndType5, data})); };
    const Bytes unchanged[] = {
        ScriptDefinition("d", "#@$&000001", 4),
        definition(Join({Le16(kDefinitionDataChunk), Le32(16), Bytes(10, 'x'), marker})),
        ScriptDefinition("d", "cut #@$&00000"),
        definition(Chunk(kDefinitionDataChunk, Join({prefix, {0}, marker}))),
    };
    for (const Bytes& block : unchanged) EXPECT_EQ(Rewrite(block), block);
    EXPECT_EQ(db.Count(), 2);

    // No NUL: the text runs to the data chunk's end, which the key reaches exactly.
    EXPECT_EQ(Rewrite(definition(
                  Join({Chunk(kDefinitionDataChunk, Join({prefix, Text("#@$&000001")})), Text("#@$&000002")}))),
              definition(Join({Chunk(kDefinitionDataChunk, Join({prefix, Text("0000000011")})), Text("#@$&000002")})));
    EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(TextReferences, ReportAMissingNewTextsOrDefinition) {
    const Bytes definition = ScriptDefinition("d", "#@$&000001");
    scene.Difinitions.Chunks.push_back(definition);
    RewriteTextReferences(scene, 1, context);
    ExpectOneError("Difinitions.count < Idx");
    context.NewTexts = nullptr;
    RewriteTextReferences(scene, 5, context);
    ExpectOneError("NewTexts.ini not available");
    EXPECT_EQ(scene.Difinitions.Chunks[0], definition);
}

TEST_F(TextReferences, WithoutAFreeIdWriteZerosAndGoOnWithTheRest) {
    TextDB full;
    full.Append("game text", 0xFFFFFFFE);
    full.Append("end", 1);
    context.TextDb = &full;
    EXPECT_EQ(Rewrite(ScriptDefinition("d", "#@$&000001 #@$&000003 #@$&000002")),
              ScriptDefinition("d", "0000000000 4294967294 0000000000"));
    EXPECT_EQ(messages_.Count(), 2);  // one "no free ID" for each text
}

}  // namespace
}  // namespace pellwise
