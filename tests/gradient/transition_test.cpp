#include "gradient/transition.h"

#include <gtest/gtest.h>

#include <vector>

namespace pellwise {
namespace {

std::vector<int> RunToEnd(InputState& s) {
    std::vector<int> seen;
    while (true) {
        const bool done = AdvanceBlend(s, 2);
        seen.push_back(s.BlendProgress);
        if (done) return seen;
    }
}

TEST(Transition, AFadeTakesFiveStepsAtTheUsualSpeed) {
    InputState s;
    ASSERT_TRUE(MouseEnter(s));
    EXPECT_EQ(RunToEnd(s), (std::vector<int>{13, 26, 39, 52, 64}));
    EXPECT_EQ(AnimationStep(5), 4);
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
}

TEST(Transition, EachTransitionNamesItsTwoLooks) {
    const auto looks = [](Transition t) { return std::pair{int(LooksOf(t).From), int(LooksOf(t).To)}; };
    EXPECT_EQ(looks(Transition::DefaultToDown), std::pair(0, 2));
    EXPECT_EQ(looks(Transition::OverToDefault), std::pair(1, 0));
    EXPECT_EQ(looks(Transition::DownToOver), std::pair(2, 1));
    EXPECT_TRUE(EndsAtDefault(Transition::DownToDefault));
    EXPECT_FALSE(EndsAtDefault(Transition::DefaultToOver));
}

}  // namespace
}  // namespace pellwise
