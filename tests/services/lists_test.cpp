#include "services/lists.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

TEST(PointerList, GrowsByFourSlotsAndNoIndexReachesOutsideTheList) {
    PointerList list;
    for (uintptr_t v = 7; v < 12; ++v) list.Add(v);
    EXPECT_EQ(list.Capacity(), 8);
    EXPECT_EQ(list.Get(-1), 0u);
    EXPECT_EQ(list.Get(5), 0u);
    list.Delete(5);
    list.Delete(-1);
    list.Insert(40, 12);  // beyond Count: appends
    list.Insert(-3, 13);
    list.Insert(0, 6);
    list.Delete(1);
    ASSERT_EQ(list.Count(), 7);
    EXPECT_EQ(list.Get(0), 6u);
    EXPECT_EQ(list.Get(1), 8u);
    EXPECT_EQ(list.Get(6), 13u);
    EXPECT_EQ(list.IndexOf(12), 5);
    EXPECT_EQ(list.IndexOf(7), -1);
    list.Clear();
    EXPECT_EQ(list.Count() + list.Capacity(), 0);
}

TEST(StringList, KeepsItemsUpToTheirFirstNulAndFindsTheFirstExactMatch) {
    StringList list;
    EXPECT_EQ(list.Add("Abc"), 0);
    EXPECT_EQ(list.Add(std::string("abc\0cd", 6), 5), 1);
    list.Insert(9, "", 5);  // beyond Count: appends
    list.Insert(0, "first", 6);
    EXPECT_EQ(list.Get(2), "abc");
    EXPECT_EQ(list.IndexOf(std::string("abc\0zz", 6)), 2);
    EXPECT_EQ(list.IndexOf("ab"), -1);
    EXPECT_EQ(list.IndexOf(""), 3);
    EXPECT_EQ(list.IndexOfValue(5), 2);
    EXPECT_EQ(list.IndexOfValue(0), 1);  // added without a value
    EXPECT_EQ(list.IndexOfValue(99), -1);
    EXPECT_EQ(list.Get(-1) + list.Ref(4), "");
    EXPECT_EQ(list.ValueAt(4), 0u);
    EXPECT_EQ(list.Join(std::string(1, '\0')), std::string("first\0Abc\0abc\0\0", 15));
    EXPECT_EQ(StringList().Join(","), "");
}

}  // namespace
}  // namespace pellwise
