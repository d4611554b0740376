#include "gradient/gradient_model.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

void ExpectAllStale(const GradientModel& m, const char* after) {
    for (bool stale : m.Stale) EXPECT_TRUE(stale) << after;
}

TEST(GradientModel, PerStateSettersStaleTheirOwnLookAndControlWideSettersEveryBitmap) {
    GradientModel m = MakeGradientModel(ControlKind::Button);
    ExpectAllStale(m, "nothing is rendered yet");
    EXPECT_FALSE(MakeGradientModel(ControlKind::Panel).Interactive);

    m.Stale.fill(false);
    SetOverGradientTo(m, Rgb(0, 255, 0));
    EXPECT_EQ(LookOf(m, LookState::Over).GradientTo, Rgb(0, 255, 0));
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{false, true, false, false, false}));
    m.Stale.fill(false);
    SetDisabledBorderWidth(m, 1);
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{false, false, false, true, false}));

    m.Stale.fill(false);
    SetAllOuterColor(m, Rgb(233, 233, 233));
    for (const StateLook& look : m.Looks) EXPECT_EQ(look.OuterColor, Rgb(233, 233, 233));
    ExpectAllStale(m, "SetAllOuterColor");
    m.Stale.fill(false);
    SetTextVAlign(m, 1);
    ExpectAllStale(m, "SetTextVAlign");
    m.Stale.fill(false);
    SetDrawFocusRect(m, false);
    ExpectAllStale(m, "SetDrawFocusRect");
}

}  // namespace
}  // namespace pellwise
