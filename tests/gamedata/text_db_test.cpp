#include "gamedata/text_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include "services/recording_message_service.h"
#include "services/text_codec.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;
using Texts = std::vector<std::pair<uint32_t, std::string>>;

// A database file laid out the way Save writes one: texts right after the
// table, in entry order.
Bytes CanonicalFile(const Texts& entries) {
    Bytes table = Join({Le32(static_cast<uint32_t>(entries.size())), Le32(0)});
    Bytes texts;
    uint32_t offset = 8 + 8 * static_cast<uint32_t>(entries.size());
    for (const auto& [id, text] : entries) {
        table = Join({table, Le32(id), Le32(offset)});
        texts = Join({texts, Sz(text)});
        offset += static_cast<uint32_t>(text.size()) + 1;
    }
    return Join({table, texts});
}

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
    EXPECT_EQ(db.FirstIdOf("alpha"), 7u);

    ASSERT_TRUE(Save(db, path, messages_));
    EXPECT_EQ(ReadBack(path), CanonicalFile(expected));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
    EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(TextDBFile, ALargeDatabaseIsClassifiedOnLoad) {
    Texts entries = {{100, Ru("Мафия")}};
    for (uint32_t i = 0; i < 100; ++i) entries.emplace_back(200 + i, "t");
    ASSERT_TRUE(Load(db, Write("textdb.def", CanonicalFile(entries)), messages_));
    EXPECT_EQ(db.Kind, TextDBKind::Cyrillic);
}

TEST_F(TextDBFile, DamagedFilesShowIoErrorOnceAndKeepTheEntriesReadBeforeTheDamage) {
    const struct {
        const char* what;
        Bytes file;
        int entriesKept;
    } cases[] = {
        {"head cut short", Le32(0), 0},
        {"text offset beyond the end", Join({Le32(2), Le32(0), Le32(1), Le32(24), Le32(2), Le32(99), Sz("ok")}), 1},
        {"text without its NUL", Join({Le32(2), Le32(0), Le32(1), Le32(24), Le32(2), Le32(27), Sz("ok"), {'a'}}), 1},
        {"count the file cannot hold", Join({Le32(0xFFFFFFFF), Le32(0), Le32(1), Le32(16), {0}}), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextDB damaged;
        EXPECT_FALSE(Load(damaged, Write("damaged.def", c.file), messages_));
        EXPECT_EQ(damaged.Count(), c.entriesKept);
        ExpectOneError("IO error");
    }
}

TEST_F(TextDBFile, SaveNeverCreatesTheFile) {
    db.Append("text", 1);
    EXPECT_FALSE(Save(db, PathOf("absent.def"), messages_));
    ExpectOneError("IO error");
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST(TextDBKindDetection, TheFirstTextOfId100DecidesOnceThereAreMoreThanAHundredEntries) {
    const struct {
        const char* probe;
        int count;
        TextDBKind kind;
    } cases[] = {
        {"МАФИЯ", 100, TextDBKind::Undetermined}, {"Мафия", 101, TextDBKind::Cyrillic},
        {"мафия", 101, TextDBKind::Cyrillic},     {"maonr", 101, TextDBKind::Remapped},
        {"МАФИЯ II", 101, TextDBKind::Other},
    };
    for (const auto& c : cases) {
        TextDB db;
        db.Append(Ru(c.probe), 100);
        while (db.Count() < c.count - 1) db.Append("text", 1000 + static_cast<uint32_t>(db.Count()));
        db.Append(Ru("МАФИЯ"), 100);  // only the first entry with ID 100 counts
        EXPECT_EQ(DetectKind(db), c.kind) << c.probe;
    }
    TextDB decided = Database({{100, "maonr"}});
    decided.Kind = TextDBKind::Cyrillic;
    for (uint32_t i = 0; i < 100; ++i) decided.Append("x", 1000 + i);
    EXPECT_EQ(DetectKind(decided), TextDBKind::Cyrillic);
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

    db.Kind = TextDBKind::Cyrillic;  // only Remapped converts
    std::string plain = Ru("Мафия");
    FindOrAdd(db, plain, messages);
    EXPECT_EQ(db.Entry(2).Text, Ru("Мафия"));
}

TEST(TextDBFindOrAdd, IdsStartFromZeroRunOutBelowTheLastValueAndWrapPastAnEntryCarryingIt) {
    RecordingMessageService messages;
    TextDB small;
    std::string first = "first";
    std::string upper = "First";  // texts differ by case
    EXPECT_EQ(FindOrAdd(small, first, messages), 0u);
    EXPECT_EQ(FindOrAdd(small, upper, messages), 1u);
    EXPECT_EQ(EntriesOf(small), (Texts{{1, "First"}, {0, "first"}}));

    TextDB full = Database({{0xFFFFFFFE, "a"}, {3, "b"}});
    std::string text = "new";
    EXPECT_EQ(FindOrAdd(full, text, messages), 0u);
    EXPECT_EQ(full.Count(), 2);
    EXPECT_EQ(full.TextsWithoutId, 1);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Messages()[0].text, "TextDB: no free ID");
    EXPECT_EQ(messages.Messages()[0].flags, kMbOk | kMbIconError);

    TextDB wraps = Database({{0, "zero"}, {0xFFFFFFFE, "a"}, {0xFFFFFFFF, "b"}});
    EXPECT_EQ(FindOrAdd(wraps, text, messages), 1u);
    EXPECT_EQ(messages.Count(), 1);
}

// The indexes must give what scanning every entry would: compare them with a
// plain scan over random texts and IDs crowded into a small range.
TEST(TextDBFindOrAdd, AgreesWithAPlainScanOfTheEntries) {
    std::mt19937 random(1234);
    RecordingMessageService messages;
    Texts reference;
    TextDB db;
    for (int i = 0; i < 300; ++i) {
        const uint32_t id = random() % 400;
        const std::string text = std::to_string(random() % 200) + "t";
        db.Append(text, id);
        reference.emplace_back(id, text);
    }
    for (int i = 0; i < 2000; ++i) {
        std::string text = std::to_string(random() % 900) + "t";
        const auto same =
            std::find_if(reference.begin(), reference.end(), [&](const auto& e) { return e.second == text; });
        uint32_t expected = 0;
        if (same != reference.end()) {
            expected = same->first;
        } else {
            expected = reference[reference.size() - 2].first;
            while (std::any_of(reference.begin(), reference.end(), [&](const auto& e) { return e.first == expected; }))
                ++expected;
            reference.insert(reference.end() - 1, {expected, text});
        }
        ASSERT_EQ(FindOrAdd(db, text, messages), expected) << "call " << i;
    }
    EXPECT_EQ(EntriesOf(db), reference);
}

}  // namespace
}  // namespace pellwise
