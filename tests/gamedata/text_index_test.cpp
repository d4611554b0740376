#include "gamedata/text_index.h"

#include <gtest/gtest.h>

#include <string>

#include "gamedata/text_db.h"

namespace pellwise {
namespace {

// Every text under one hash: all of them fall into one probe run, which
// must survive the index growing several times.
TEST(FirstEntryIndex, KeepsEveryTextApartWhenAllHashesCollideThroughGrowth) {
    constexpr uint32_t kSameHash = 7;
    TextPool pool;
    FirstEntryIndex index;
    for (int i = 0; i < 200; ++i) {
        const std::string text = "text " + std::to_string(i % 100);
        pool.Records.push_back({pool.Bytes.size(), static_cast<uint32_t>(text.size()), 0});
        pool.Bytes += text;
        const uint32_t same = index.Claim(text, kSameHash, static_cast<uint32_t>(i), pool);
        EXPECT_EQ(same, i < 100 ? FirstEntryIndex::kNone : static_cast<uint32_t>(i % 100));
    }
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(index.Find("text " + std::to_string(i), kSameHash, pool), static_cast<uint32_t>(i)) << i;
    EXPECT_EQ(index.Find("text 100", kSameHash, pool), FirstEntryIndex::kNone);
    EXPECT_EQ(index.Find("text 1", kSameHash + 1, pool), FirstEntryIndex::kNone);
}

// A text inserted before a last entry carrying the same text becomes that
// text's first entry, as a scan in entry order would find it; a last entry
// that moves on stays the first of its text.
TEST(TextDBIndexes, TheFirstEntryOfATextFollowsInsertsBeforeTheLast) {
    TextDB db;
    db.Append("a", 1);
    db.Append("end", 2);
    db.InsertBeforeLast("b", 3);
    EXPECT_EQ(db.FirstIdOf("end"), 2u);
    EXPECT_EQ(db.TextAt(2), "end");
    db.InsertBeforeLast("end", 4);
    EXPECT_EQ(db.FirstIdOf("end"), 4u);
    db.InsertBeforeLast("c", 5);
    EXPECT_EQ(db.FirstIdOf("end"), 4u);
    EXPECT_EQ(db.FirstIdOf("c"), 5u);
}

}  // namespace
}  // namespace pellwise
