#include "gradient/gradient_model.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

TEST(GradientModel, PerStateSettersStaleTheirOwnLookAndControlWideSettersEveryBitmap) {
    GradientModel m = MakeGradientModel(ControlKind::Button);
    m.Stale.fill(false);
    SetOverGradientTo(m, Rgb(0, 255, 0));
    EXPECT_EQ(LookOf(m, LookState::Over).GradientTo, Rgb(0, 255, 0));
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{false, true, false, false, false}));

    m.Stale.fill(false);
    SetAllOuterColor(m, Rgb(233, 233, 233));
    for (const StateLook& look : m.Looks) EXPECT_EQ(look.OuterColor, Rgb(233, 233, 233));
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{true, true, true, true, true}));
    m.Stale.fill(false);
    SetTextVAlign(m, 1);
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{true, true, true, true, true})) << "the caption is in every look";
}

}  // namespace
}  // namespace pellwise
