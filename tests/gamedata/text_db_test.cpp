#include "gamedata/text_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

#include "gamedata/text_index.h"
#include "services/text_codec.h"
#include "tests/gamedata/scene_test_support.h"
#include "tests/support/recording_message_service.h"

namespace pellwise {
namespace {

using namespace scene_test;
using Texts = std::vector<std::pair<uint32_t, std::string>>;

TextDB Database(const Texts& entries) {
    TextDB db;
    for (const auto& [id, text] : entries) db.Append(text, id);
    return db;
}

Texts EntriesOf(const TextDB& db) {
    Texts out;
    for (const TextDBEntry& entry : db.Entries()) out.emplace_back(entry.Id, entry.Text);
    return out;
}

class TextDBFile : public SceneFileTest {
protected:
    TextDB db;
};

TEST_F(TextDBFile, LoadsBehindTheEntriesThereAndSavesEveryTextAsItsOwnCopyAfterTheTable) {
    // Two entries share one text, the table lists texts out of file order, the
    // reserved word is set and some bytes belong to no entry.
    const Bytes file = Join({Le32(3), Le32(0xDEADBEEF), Le32(7), Le32(39), Le32(8), Le32(32), Le32(9), Le32(39),
                             Sz("beta"), Sz("x"), Sz("alpha")});
    const std::string path = Write("textdb.def", file);
    db.Append("beta", 1);

    ASSERT_TRUE(Load(db, path, messages_));
    const Texts expected = {{1, "beta"}, {7, "alpha"}, {8, "beta"}, {9, "alpha"}};
    EXPECT_EQ(EntriesOf(db), expected);
    EXPECT_EQ(db.FirstIdOf("beta"), 1u);

    ASSERT_TRUE(Save(db, path, messages_));
    EXPECT_EQ(ReadBack(path), Join({Le32(4), Le32(0), Le32(1), Le32(40), Le32(7), Le32(45), Le32(8), Le32(51), Le32(9),
                                    Le32(56), Sz("beta"), Sz("alpha"), Sz("beta"), Sz("alpha")}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
    EXPECT_EQ(messages_.Count(), 0);
}

// The fuzzer feeds damage of every kind; here the message and what is kept.
TEST_F(TextDBFile, ADamagedFileShowsIoErrorOnceAndKeepsTheEntriesReadBeforeTheDamage) {
    const Bytes file = Join({Le32(2), Le32(0), Le32(1), Le32(24), Le32(2), Le32(99), Sz("ok")});
    EXPECT_FALSE(Load(db, Write("damaged.def", file), messages_));
    EXPECT_EQ(EntriesOf(db), (Texts{{1, "ok"}}));
    ExpectOneError("IO error");
}

TEST_F(TextDBFile, SaveNeverCreatesTheFile) {
    db.Append("text", 1);
    EXPECT_FALSE(Save(db, PathOf("absent.def"), messages_));
    ExpectOneError("IO error\rReason = not found");
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST(TextDBKindDetection, TheFirstTextOfId100DecidesOnceThereAreMoreThanAHundredEntries) {
    for (const auto& [probe, count, kind] :
         {std::tuple{"Мафия", 100, TextDBKind::Undetermined}, std::tuple{"maonr", 101, TextDBKind::Remapped},
          std::tuple{"МАФИЯ II", 101, TextDBKind::Other}}) {
        TextDB db;
        db.Append(Ru(probe), 100);
        while (db.Count() < count - 1) db.Append("text", 1000 + static_cast<uint32_t>(db.Count()));
        db.Append(Ru("МАФИЯ"), 100);  // only the first entry with ID 100 counts
        EXPECT_EQ(DetectKind(db), kind) << probe;
    }
}

// Remapped databases spell Russian in lower-case Latin letters and digits.
TEST(TextDBFindOrAdd, RemappedDatabasesConvertTheTextAndReuseAnEqualOne) {
    RecordingMessageService messages;
    TextDB db = Database({{1, "YPNBET, tommy!"}, {2, "last"}});
    db.Kind = TextDBKind::Remapped;

    std::string text = Ru("Привет, Tommy!");
    EXPECT_EQ(FindOrAdd(db, text, messages), 1u);
    EXPECT_EQ(text, "YPNBET, tommy!");
    std::string alphabet = Ru("абвгдеёжзийклмнопрстуфхцчшщъыьэюя АБВЯ");
    FindOrAdd(db, alphabet, messages);
    EXPECT_EQ(db.Entry(1).Text, "ASBFDE\xB8G3NNKVMHOYPCTJOXQ4UULLILZWR ASBR");
}

// The fuzzer checks the choice of IDs against a plain scan; here the message
// and the count of texts left without an ID.
TEST(TextDBFindOrAdd, WithoutAFreeIdBelowTheLastValueATextGetsZeroAndIsCounted) {
    RecordingMessageService messages;
    TextDB full = Database({{0xFFFFFFFE, "a"}, {3, "b"}});
    std::string text = "new";
    EXPECT_EQ(FindOrAdd(full, text, messages), 0u);
    EXPECT_EQ(full.Count(), 2);
    EXPECT_EQ(full.TextsWithoutId, 1);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Messages()[0].text, "TextDB: no free ID");
    EXPECT_EQ(messages.Messages()[0].flags, kMbOk | kMbIconError);
}

// The IDs of a set sit in blocks of 64; neighbours across a block's edge, the
// largest ID and enough scattered IDs to grow the table must all keep apart.
TEST(TextDBIndexes, AnIdIsInUseExactlyWhenItWasInserted) {
    IdSet ids;
    std::vector<uint32_t> inserted = {0, 63, 64, 127, 0xFFFFFFFF, 0xFFFFFFC0};
    for (uint32_t k = 0; k < 5000; ++k) inserted.push_back(k * 2654435761u);  // scattered: many blocks
    for (uint32_t k = 1000; k < 3000; ++k) inserted.push_back(k);             // a range
    for (const uint32_t id : inserted) ids.Insert(id);
    for (const uint32_t id : inserted) EXPECT_TRUE(ids.Contains(id)) << id;
    for (const uint32_t id : {1u, 62u, 65u, 128u, 999u, 3000u, 0xFFFFFFFEu, 0xFFFFFFBFu}) {
        const bool expected = std::find(inserted.begin(), inserted.end(), id) != inserted.end();
        EXPECT_EQ(ids.Contains(id), expected) << id;
    }
    EXPECT_FALSE(IdSet().Contains(0));
}

// A text inserted before a last entry carrying the same text becomes that
// text's first entry, as a scan in entry order would find it.
TEST(TextDBIndexes, TheFirstEntryOfATextFollowsInsertsBeforeTheLast) {
    TextDB db = Database({{1, "a"}, {2, "end"}});
    db.InsertBeforeLast("b", 3);
    EXPECT_EQ(db.FirstIdOf("end"), 2u);
    db.InsertBeforeLast("end", 4);
    db.InsertBeforeLast("c", 5);
    EXPECT_EQ(db.FirstIdOf("end"), 4u);
    EXPECT_EQ(db.FirstIdOf("c"), 5u);
}

}  // namespace
}  // namespace pellwise
