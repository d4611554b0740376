#include "services/lists.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

TEST(PointerList, GrowsByFourSlotsWhenFullAndKeepsWhatItHeld) {
    PointerList list;
    EXPECT_EQ(list.Capacity(), 0);
    for (uintptr_t v = 10; v < 14; ++v) list.Add(v);
    EXPECT_EQ(list.Capacity(), 4);
    list.Add(14);
    EXPECT_EQ(list.Capacity(), 8);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Get(i), static_cast<uintptr_t>(10 + i));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(PointerList, OutOfRangeReadsGiveZeroAndOutOfRangeChangesAreHarmless) {
    PointerList list;
    list.Add(7);
    list.Add(8);
    EXPECT_EQ(list.Get(-1), 0u);
    EXPECT_EQ(list.Get(2), 0u);
    list.Delete(2);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 2);
    list.Insert(2, 9);    // at Count: appends
    list.Insert(40, 10);  // beyond: appends too
    list.Insert(0, 6);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(0), 6u);
    EXPECT_EQ(list.Get(4), 10u);
    list.Delete(1);
    EXPECT_EQ(list.Get(1), 8u);
    EXPECT_EQ(list.IndexOf(9), 2);
    EXPECT_EQ(list.IndexOf(7), -1);
}

TEST(StringList, LookupsAreExactAndReturnTheFirstMatch) {
    StringList list;
    EXPECT_EQ(list.Add("Abc"), 0);
    EXPECT_EQ(list.Add("abc", 5), 1);
    EXPECT_EQ(list.Add("", 5), 2);
    EXPECT_EQ(list.Add("abc", 6), 3);
    EXPECT_EQ(list.IndexOf("abc"), 1);
    EXPECT_EQ(list.IndexOf("ab"), -1);
    EXPECT_EQ(list.IndexOf(""), 2);
    EXPECT_EQ(list.IndexOfValue(5), 1);
    EXPECT_EQ(list.IndexOfValue(0), 0);  // added without a value
    EXPECT_EQ(list.IndexOfValue(99), -1);
}

TEST(StringList, OutOfRangeReadsGiveEmptyTextAndZero) {
    StringList list;
    list.Add("x", 3);
    EXPECT_EQ(list.Get(-1), "");
    EXPECT_EQ(list.Get(1), "");
    EXPECT_EQ(list.Ref(7), "");
    EXPECT_EQ(list.ValueAt(-1), 0u);
    EXPECT_EQ(list.ValueAt(1), 0u);
}

TEST(StringList, InsertAtTheEndAppendsWithTheGivenValue) {
    StringList list;
    for (const char* s : {"a", "b", "c"}) list.Add(s);
    list.Insert(3, "d", 42);
    list.Insert(0, "first", 1);
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Get(4), "d");
    EXPECT_EQ(list.ValueAt(4), 42u);
    EXPECT_EQ(list.Get(0), "first");
    EXPECT_EQ(list.ValueAt(1), 0u);
}

TEST(StringList, ItemsEndAtTheirFirstNulAndJoinEndsEveryItem) {
    StringList list;
    list.Add(std::string("ab\0cd", 5));
    list.Add("e");
    EXPECT_EQ(list.Get(0), "ab");
    EXPECT_EQ(list.IndexOf(std::string("ab\0zz", 5)), 0);
    EXPECT_EQ(list.Join(std::string(1, '\0')), std::string("ab\0e\0", 5));
    EXPECT_EQ(list.Join("\r\n"), "ab\r\ne\r\n");
    EXPECT_EQ(StringList().Join(","), "");
}

}  // namespace
}  // namespace pellwise
