#include "gamedata/text_index.h"

#include <gtest/gtest.h>

#include <string>

#include "gamedata/text_db.h"

namespace pellwise {
namespace {

// Adds a text to the pool as its own copy, the way the index sees entries.
uint32_t Push(TextPool& pool, const std::string& text) {
    pool.Records.push_back({pool.Bytes.size(), static_cast<uint32_t>(text.size()), 0});
    pool.Bytes += text;
    return static_cast<uint32_t>(pool.Records.size() - 1);
}

// Every text under one hash: all of them fall into one probe run, which
// must survive the index growing several times.
TEST(FirstEntryIndex, KeepsEveryTextApartWhenAllHashesCollideThroughGrowth) {
    constexpr uint32_t kSameHash = 7;
    TextPool pool;
    FirstEntryIndex index;
    for (int i = 0; i < 200; ++i) {
        const std::string text = "text " + std::to_string(i % 100);
        const uint32_t same = index.Claim(text, kSameHash, Push(pool, text), pool);
        EXPECT_EQ(same, i < 100 ? FirstEntryIndex::kNone : static_cast<uint32_t>(i % 100));
    }

    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(index.Find("text " + std::to_string(i), kSameHash, pool), static_cast<uint32_t>(i)) << i;
    EXPECT_EQ(index.Find("text 100", kSameHash, pool), FirstEntryIndex::kNone);
    EXPECT_EQ(index.Find("text 1", kSameHash + 1, pool), FirstEntryIndex::kNone);
}

TEST(FirstEntryIndex, KeepsTheEarliestPositionAndFollowsAFirstEntryThatMovesOn) {
    TextPool pool;
    FirstEntryIndex index;
    const uint32_t hashA = FirstEntryIndex::Hash("a");
    const uint32_t hashB = FirstEntryIndex::Hash("b");
    Push(pool, "a");
    Push(pool, "a");
    Push(pool, "b");
    EXPECT_EQ(index.Claim("a", hashA, 1, pool), FirstEntryIndex::kNone);
    EXPECT_EQ(index.Claim("a", hashA, 0, pool), 1u);
    EXPECT_EQ(index.Claim("b", hashB, 2, pool), FirstEntryIndex::kNone);
    EXPECT_EQ(index.Find("a", hashA, pool), 0u);

    // A new entry goes in at 1: both entries behind it move on by one.
    index.Move(2, 3, pool);
    index.Move(1, 2, pool);  // not the first "a": nothing changes
    pool.Records.insert(pool.Records.begin() + 1, {pool.Bytes.size(), 1, 0});
    pool.Bytes += "c";
    EXPECT_EQ(index.Find("a", hashA, pool), 0u);
    EXPECT_EQ(index.Find("b", hashB, pool), 3u);
}

TEST(IdSet, HoldsConsecutiveRangesZeroAndTheLargestIdThroughGrowth) {
    IdSet ids;
    EXPECT_FALSE(ids.Contains(0));
    EXPECT_FALSE(ids.Contains(0xFFFFFFFF));
    for (uint32_t id = 1000; id < 6000; ++id) ids.Insert(id);
    ids.Insert(0);
    ids.Insert(0xFFFFFFFF);
    ids.Insert(1000);  // again

    for (uint32_t id = 1000; id < 6000; ++id) ASSERT_TRUE(ids.Contains(id)) << id;
    EXPECT_TRUE(ids.Contains(0));
    EXPECT_TRUE(ids.Contains(0xFFFFFFFF));
    EXPECT_FALSE(ids.Contains(999));
    EXPECT_FALSE(ids.Contains(6000));
    EXPECT_FALSE(ids.Contains(0xFFFFFFFE));
}

// A text inserted before a last entry carrying the same text becomes that
// text's first entry, as a scan in entry order would find it.
TEST(TextDBIndexes, AnInsertBeforeTheLastEntryOfTheSameTextBecomesItsFirst) {
    TextDB db;
    db.Append("a", 1);
    db.Append("end", 2);
    db.InsertBeforeLast("end", 3);
    EXPECT_EQ(db.FirstIdOf("end"), 3u);
    db.InsertBeforeLast("b", 4);
    EXPECT_EQ(db.FirstIdOf("end"), 3u);
    EXPECT_EQ(db.FirstIdOf("b"), 4u);

    TextDB moved;
    moved.Append("a", 1);
    moved.Append("end", 2);
    moved.InsertBeforeLast("b", 3);
    EXPECT_EQ(moved.FirstIdOf("end"), 2u);
    EXPECT_EQ(moved.TextAt(2), "end");
}

}  // namespace
}  // namespace pellwise
