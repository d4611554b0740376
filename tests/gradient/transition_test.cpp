#include "gradient/transition.h"

#include <gtest/gtest.h>

#include <vector>

namespace pellwise {
namespace {

TEST(Transition, AFadeTakesFiveStepsAtTheUsualSpeed) {
    InputState s;
    ASSERT_TRUE(MouseEnter(s));
    std::vector<int> seen;
    bool done = false;
    while (!done) {
        done = AdvanceBlend(s, 2);
        seen.push_back(s.BlendProgress);
    }
    EXPECT_EQ(seen, (std::vector<int>{13, 26, 39, 52, 64}));
    EXPECT_EQ(AnimationStep(200), 64) << "a speed outside the table finishes at once";
}

TEST(Transition, OnlyTheFourNamedReversalsKeepTheProgress) {
    InputState s;
    s.MouseOver = true;
    s.Current = Transition::DownToOver;
    s.BlendProgress = 13;
    Press(s);
    EXPECT_EQ(s.Current, Transition::OverToDown);
    EXPECT_EQ(s.BlendProgress, 51);

    s.BlendProgress = 26;
    Release(s);
    EXPECT_EQ(s.Current, Transition::DownToOver);
    EXPECT_EQ(s.BlendProgress, 38);

    s.BlendProgress = 39;  // DownToOver is no reversal of leaving
    MouseLeave(s);
    EXPECT_EQ(s.Current, Transition::OverToDefault);
    EXPECT_EQ(s.BlendProgress, 0);
    EXPECT_EQ(LooksOf(s.Current).From, 1);
    EXPECT_TRUE(EndsAtDefault(s.Current));
}

}  // namespace
}  // namespace pellwise
