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
        texts = Join({texts, Text(text), {0}});
        offset += static_cast<uint32_t>(text.size()) + 1;
    }
    return Join({table, texts});
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
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

// `count` entries with IDs 1000, 1001, ... and the probe text under ID 100 first.
TextDB DatabaseWithProbe(int count, const std::string& probe) {
    TextDB db;
    db.Append(probe, 100);
    for (int i = 1; i < count; ++i) db.Append("text " + std::to_string(i), 1000 + static_cast<uint32_t>(i));
    return db;
}

class TextDBFile : public SceneFileTest {
protected:
    TextDB db;
};

TEST_F(TextDBFile, LoadsInTableOrderAndSavesEveryTextAsItsOwnCopyAfterTheTable) {
    // Two entries share one text, the table lists texts out of file order, the
    // reserved word is set and some bytes belong to no entry.
    const Bytes file = Join({Le32(3),
                             Le32(0xDEADBEEF),  //
                             Le32(7),
                             Le32(39),
                             Le32(8),
                             Le32(32),
                             Le32(9),
                             Le32(39),  //
                             Text("beta"),
                             {0},
                             {'x'},
                             {0},
                             Text("alpha"),
                             {0}});
    const std::string path = Write("textdb.def", file);

    ASSERT_TRUE(Load(db, path, messages_));
    const Texts expected = {{7, "alpha"}, {8, "beta"}, {9, "alpha"}};
    EXPECT_EQ(EntriesOf(db), expected);

    ASSERT_TRUE(Save(db, path, messages_));
    EXPECT_EQ(ReadBack(PathOf("textdb.def")), CanonicalFile(expected));
    EXPECT_EQ(FilesIn(dir_), std::vector<std::string>{"textdb.def"});
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(TextDBFile, LoadAppendsBehindEntriesAlreadyThereAndFindsTheirTextsFirst) {
    db.Append("beta", 1);
    db.Append("gamma", 2);
    const std::string path = Write("textdb.def", CanonicalFile({{7, "alpha"}, {8, "beta"}, {9, "alpha"}}));
    ASSERT_TRUE(Load(db, path, messages_));
    EXPECT_EQ(EntriesOf(db), (Texts{{1, "beta"}, {2, "gamma"}, {7, "alpha"}, {8, "beta"}, {9, "alpha"}}));
    EXPECT_EQ(db.FirstIdOf("beta"), 1u);
    EXPECT_EQ(db.FirstIdOf("alpha"), 7u);
}

TEST_F(TextDBFile, AnEmptyDatabaseLoadsUndeterminedAndSavesEightZeroBytes) {
    const std::string path = Write("textdb.def", Join({Le32(0), Le32(0x01020304)}));
    ASSERT_TRUE(Load(db, path, messages_));
    EXPECT_EQ(db.Count(), 0);
    EXPECT_EQ(db.Kind, TextDBKind::Undetermined);

    ASSERT_TRUE(Save(db, path, messages_));
    EXPECT_EQ(ReadBack(PathOf("textdb.def")), Bytes(8, 0));
}

TEST_F(TextDBFile, LoadClassifiesTheDatabase) {
    Texts entries = {{100, Ru("Мафия")}};
    for (uint32_t i = 0; i < 100; ++i) entries.emplace_back(200 + i, "t");
    ASSERT_TRUE(Load(db, Write("textdb.def", CanonicalFile(entries)), messages_));
    EXPECT_EQ(db.Kind, TextDBKind::Cyrillic);
}

TEST_F(TextDBFile, DamagedFilesShowIoErrorOnceAndKeepTheEntriesReadBeforeTheDamage) {
    struct Case {
        const char* what;
        Bytes file;
        int entriesKept;
    };
    const Case cases[] = {
        {"empty file", {}, 0},
        {"head cut short", Le32(0), 0},
        {"text offset beyond the end", Join({Le32(2), Le32(0), Le32(1), Le32(24), Le32(2), Le32(99), Text("ok"), {0}}),
         1},
        {"text without its NUL", Join({Le32(2), Le32(0), Le32(1), Le32(24), Le32(2), Le32(27), Text("ok"), {0}, {'a'}}),
         1},
        {"count the file cannot hold", Join({Le32(0xFFFFFFFF), Le32(0), Le32(1), Le32(16), {0}}), 0},
        {"table one record short", Join({Le32(2), Le32(0), Le32(1), Le32(16), {0}}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TextDB damaged;
        RecordingMessageService seen;
        EXPECT_FALSE(Load(damaged, Write("damaged.def", c.file), seen));
        EXPECT_EQ(damaged.Count(), c.entriesKept);
        EXPECT_EQ(damaged.Kind, TextDBKind::Undetermined);
        ASSERT_EQ(seen.Messages().size(), 1u);
        EXPECT_EQ(seen.Messages()[0].text, "IO error");
        EXPECT_EQ(seen.Messages()[0].flags, 0x10u);
    }
}

TEST_F(TextDBFile, SaveNeverCreatesTheFile) {
    db.Append("text", 1);
    EXPECT_FALSE(Save(db, PathOf("absent.def"), messages_));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "IO error");
    EXPECT_EQ(messages_.Messages()[0].flags, 0x10u);
    EXPECT_TRUE(FilesIn(dir_).empty());
}

TEST(TextDBKindDetection, NeedsMoreThanAHundredEntriesAndUpperCasesTheProbeFirst) {
    TextDB hundred = DatabaseWithProbe(100, Ru("МАФИЯ"));
    EXPECT_EQ(DetectKind(hundred), TextDBKind::Undetermined);

    for (const char* probe : {"МАФИЯ", "Мафия", "мафия"}) {
        TextDB db = DatabaseWithProbe(101, Ru(probe));
        EXPECT_EQ(DetectKind(db), TextDBKind::Cyrillic) << probe;
    }
    TextDB unprobed = Database({});
    for (uint32_t i = 0; i < 101; ++i) unprobed.Append("x", 1000 + i);
    EXPECT_EQ(DetectKind(unprobed), TextDBKind::Other);
    TextDB remapped = DatabaseWithProbe(101, "maonr");
    EXPECT_EQ(DetectKind(remapped), TextDBKind::Remapped);
    TextDB longer = DatabaseWithProbe(101, Ru("МАФИЯ II"));
    EXPECT_EQ(DetectKind(longer), TextDBKind::Other);

    longer.Append(Ru("МАФИЯ"), 100);
    longer.Kind = TextDBKind::Undetermined;
    EXPECT_EQ(DetectKind(longer), TextDBKind::Other);  // only the first entry with ID 100 counts
    longer.Kind = TextDBKind::Remapped;
    EXPECT_EQ(DetectKind(longer), TextDBKind::Remapped);  // decided once
}

TEST(TextDBRemap, SpellsRussianInLatinLettersAfterLowerCasing) {
    std::string text = Ru("Привет, Tommy!");
    RemapCyrillic(text);
    EXPECT_EQ(text, "YPNBET, tommy!");

    std::string alphabet = Ru("абвгдеёжзийклмнопрстуфхцчшщъыьэюя АБВЯ");
    RemapCyrillic(alphabet);
    EXPECT_EQ(alphabet, "ASBFDE\xB8G3NNKVMHOYPCTJOXQ4UULLILZWR ASBR");
}

TEST(TextDBFindOrAdd, RemappedDatabasesConvertTheTextAndReuseAnEqualOne) {
    RecordingMessageService messages_;
    TextDB db = Database({{1, "YPNBET, tommy!"}, {2, "last"}});
    db.Kind = TextDBKind::Remapped;

    std::string text = Ru("Привет, Tommy!");
    EXPECT_EQ(FindOrAdd(db, text, messages_), 1u);
    EXPECT_EQ(text, "YPNBET, tommy!");

    std::string fresh = Ru("Мафия");
    FindOrAdd(db, fresh, messages_);
    EXPECT_EQ(db.Entry(1).Text, "MAONR");

    db.Kind = TextDBKind::Cyrillic;  // only Remapped converts
    std::string plain = Ru("Мафия");
    FindOrAdd(db, plain, messages_);
    EXPECT_EQ(db.Entry(2).Text, Ru("Мафия"));
}

TEST(TextDBFindOrAdd, AnExistingTextGivesItsFirstEntrysIdAndAddsNothing) {
    RecordingMessageService messages_;
    TextDB db = Database({{10, "other"}, {20, "shared"}, {30, "shared"}, {40, "end"}});
    std::string text = "shared";
    EXPECT_EQ(FindOrAdd(db, text, messages_), 20u);
    std::string caseDiffers = "Shared";
    EXPECT_NE(FindOrAdd(db, caseDiffers, messages_), 20u);
    EXPECT_EQ(db.Count(), 5);
}

TEST(TextDBFindOrAdd, NewTextsGetTheNextFreeIdsAboveTheLastButOneAndStayBeforeTheLast) {
    RecordingMessageService messages_;
    TextDB db = Database({{502, "first"}, {12, "x"}, {500, "y"}, {900, "last"}});
    std::string one = "new one";
    std::string two = "new two";
    std::string three = "new three";
    EXPECT_EQ(FindOrAdd(db, one, messages_), 501u);
    EXPECT_EQ(FindOrAdd(db, two, messages_), 503u);  // 502 belongs to the very first entry
    EXPECT_EQ(FindOrAdd(db, three, messages_), 504u);
    const Texts expected = {{502, "first"},   {12, "x"},          {500, "y"},   {501, "new one"},
                            {503, "new two"}, {504, "new three"}, {900, "last"}};
    EXPECT_EQ(EntriesOf(db), expected);
    EXPECT_EQ(FindOrAdd(db, two, messages_), 503u);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST(TextDBFindOrAdd, SmallDatabasesStartFromIdZero) {
    RecordingMessageService messages_;
    TextDB empty;
    std::string first = "first";
    EXPECT_EQ(FindOrAdd(empty, first, messages_), 0u);
    EXPECT_EQ(EntriesOf(empty), (Texts{{0, "first"}}));

    TextDB single = Database({{0, "only"}});
    std::string text = "new";
    EXPECT_EQ(FindOrAdd(single, text, messages_), 1u);
    EXPECT_EQ(EntriesOf(single), (Texts{{1, "new"}, {0, "only"}}));
}

TEST(TextDBFindOrAdd, RunsOutOfIdsBelowTheLastValueAndWrapsPastAnEntryCarryingIt) {
    RecordingMessageService messages_;
    TextDB full = Database({{0xFFFFFFFE, "a"}, {3, "b"}});
    std::string text = "new";
    EXPECT_EQ(FindOrAdd(full, text, messages_), 0u);
    EXPECT_EQ(full.Count(), 2);
    EXPECT_EQ(full.TextsWithoutId, 1);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "TextDB: no free ID");
    EXPECT_EQ(messages_.Messages()[0].flags, 0x10u);

    TextDB wraps = Database({{0, "zero"}, {0xFFFFFFFE, "a"}, {0xFFFFFFFF, "b"}});
    std::string other = "new";
    EXPECT_EQ(FindOrAdd(wraps, other, messages_), 1u);
    EXPECT_EQ(messages_.Messages().size(), 1u);
}

// The indexes must give what scanning every entry would: compare them with a
// plain scan over random texts and IDs crowded into a small range.
TEST(TextDBFindOrAdd, AgreesWithAPlainScanOfTheEntries) {
    std::mt19937 random(1234);
    RecordingMessageService messages_;
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
        ASSERT_EQ(FindOrAdd(db, text, messages_), expected) << "call " << i;
    }
    EXPECT_EQ(EntriesOf(db), reference);
}

}  // namespace
}  // namespace pellwise
