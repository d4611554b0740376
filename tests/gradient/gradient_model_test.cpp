#include "gradient/gradient_model.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

void ClearStale(GradientModel& m) { m.Stale.fill(false); }

TEST(GradientModel, StartsWithTheDefaultLooksAndEverythingStale) {
    const GradientModel button = MakeGradientModel(ControlKind::Button);
    EXPECT_TRUE(button.Interactive);
    EXPECT_FALSE(MakeGradientModel(ControlKind::Panel).Interactive);
    const StateLook& normal = LookOf(button, LookState::Default);
    EXPECT_EQ(normal.GradientFrom, Rgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(normal.GradientTo, Rgb(0xAF, 0xBE, 0xD1));
    EXPECT_EQ(normal.BorderColor, Rgb(0xA0, 0xA0, 0xA4));
    EXPECT_EQ(normal.OuterColor, kBtnFaceColor);
    EXPECT_EQ(LookOf(button, LookState::Down).CornerWidth, 8);
    EXPECT_EQ(LookOf(button, LookState::Disabled).GradientStyle, 5);
    EXPECT_EQ(LookOf(button, LookState::Down).ShadowOffset, -1);
    for (bool stale : button.Stale) EXPECT_TRUE(stale);
    EXPECT_EQ(button.AnimationSpeed, 2);
    EXPECT_EQ(button.ContentMargins, (Rect{4, 4, -4, -4}));
}

TEST(GradientModel, PerStateSettersMarkOnlyTheirOwnLookStale) {
    GradientModel m = MakeGradientModel(ControlKind::Button);
    ClearStale(m);
    SetOverGradientTo(m, Rgb(0, 255, 0));
    EXPECT_EQ(LookOf(m, LookState::Over).GradientTo, Rgb(0, 255, 0));
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{false, true, false, false, false}));
    ClearStale(m);
    SetDisabledBorderWidth(m, 1);
    EXPECT_EQ(m.Stale, (std::array<bool, 5>{false, false, false, true, false}));
}

TEST(GradientModel, AllStateAndControlWideSettersMarkEveryBitmapStale) {
    GradientModel m = MakeGradientModel(ControlKind::Button);
    ClearStale(m);
    SetAllOuterColor(m, Rgb(233, 233, 233));
    for (const StateLook& look : m.Looks) EXPECT_EQ(look.OuterColor, Rgb(233, 233, 233));
    for (bool stale : m.Stale) EXPECT_TRUE(stale);
    ClearStale(m);
    SetTextVAlign(m, 1);
    EXPECT_EQ(m.TextVAlign, 1);
    for (bool stale : m.Stale) EXPECT_TRUE(stale);
    ClearStale(m);
    SetDrawFocusRect(m, false);
    for (bool stale : m.Stale) EXPECT_TRUE(stale);
}

}  // namespace
}  // namespace pellwise
