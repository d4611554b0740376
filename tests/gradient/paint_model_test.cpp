#include "gradient/paint_model.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

TEST(CornerRadius, IsHalfTheSideRoundedUpWhenTwoCornersDoNotFit) {
    EXPECT_EQ(CornerRadius(8, 9), 5);
    EXPECT_EQ(CornerRadius(4, 40), 4);
}

TEST(CaptionArea, LeavesRoomForTheLargestShadowOfAnyLook) {
    const LookSet looks = DefaultLooks();  // shadow offsets 1, 1, -1, 2
    EXPECT_EQ(CaptionArea({0, 0, 100, 30}, {4, 4, -4, -4}, looks), (Rect{5, 5, 94, 24}));
}

TEST(FitCaption, KeepsWholeLinesAndAlignsByTheTwoDifferentlyOrderedCodes) {
    const Rect threeLines = FitCaption({5, 5, 60, 44}, {5, 5, 95, 30}, 13, 1, 0);
    EXPECT_EQ(threeLines.Height(), 13) << "25 of 39 measured pixels fit one 13-pixel line";
    EXPECT_EQ(FitCaption({5, 5, 20, 9}, {5, 5, 95, 30}, 13, 1, 0).Height(), 13) << "at least one line";

    const Rect wide{10, 10, 110, 50};
    const Rect measured{10, 10, 40, 20};
    EXPECT_EQ(FitCaption(measured, wide, 10, 0, 1), (Rect{10, 10, 40, 20}));
    EXPECT_EQ(FitCaption(measured, wide, 10, 1, 0), (Rect{45, 25, 75, 35}));
    EXPECT_EQ(FitCaption(measured, wide, 10, 2, 2), (Rect{80, 40, 110, 50}));
    // Halving truncates toward zero, also left of the origin: -13 / 2 is -6.
    EXPECT_EQ(FitCaption({-8, 0, -3, 10}, {-8, 0, 0, 10}, 10, 1, 1).Left, -6);
}

TEST(BandColor, StepsEachChannelLinearlyAndTruncatesTowardZero) {
    EXPECT_EQ(BandColor(0x00FFFFFF, 0x00D1BEAF, 39, 40), 0x00D3C0B1u) << "green 255 - 63.4 is 192";
    EXPECT_EQ(BandColor(0x000A0B0C, 0x00FFFFFF, 0, 0), 0x000A0B0Cu);
}

TEST(GradientTile, CoversTheWholeBodyForEveryStyleAndNothingForEmptyOnes) {
    const Rect body{0, 0, 137, 31};
    for (std::uint8_t style = 1; style <= 6; ++style) {
        GradientTile tile;
        ASSERT_TRUE(PlanGradientTile(style, body.Width(), body.Height(), tile)) << int(style);
        const auto copies = TileCopies(style, body, tile);
        for (int y = 0; y < body.Height(); ++y) {
            for (int x = 0; x < body.Width(); ++x) {
                bool covered = false;
                for (const Rect& c : copies) covered |= x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom;
                ASSERT_TRUE(covered) << "style " << int(style) << " at " << x << "," << y;
            }
        }
    }
    GradientTile tile;
    EXPECT_FALSE(PlanGradientTile(1, 0, 10, tile));
    EXPECT_FALSE(PlanGradientTile(7, 10, 10, tile));
}

}  // namespace
}  // namespace pellwise
