#include "installer/gui/splash_picture.h"

#include <gtest/gtest.h>

#include "tests/window/test_window.h"

namespace pellwise {
namespace {

TEST(SplashPicture, TheProgramsPictureDecodesAtItsOwnSizeAndPaintsUnscaledFromTheTopLeftCorner) {
    const auto picture = LoadSplashPicture(GetModuleHandleW(nullptr), "LOADSCREEN", "JPG");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 600);
    EXPECT_EQ(picture->Height(), 371);
    Capture canvas(600, 371);
    PaintSplashPicture(picture.get(), canvas.Dc());
    // The moon: a pale disc of radius 28 around (470, 90) in a dark sky.
    const COLORREF moon = RGB(0xE8, 0xD9, 0xA8);
    EXPECT_LE(ChannelDistance(canvas.At(470, 90), moon), 24) << std::hex << canvas.At(470, 90);
    EXPECT_LE(ChannelDistance(canvas.At(470, 66), moon), 24);
    EXPECT_GT(ChannelDistance(canvas.At(470, 58), moon), 24) << "scaled or shifted";
    EXPECT_GT(ChannelDistance(canvas.At(438, 90), moon), 24) << "scaled or shifted";
    EXPECT_LE(ChannelDistance(canvas.At(2, 2), RGB(0x1B, 0x24, 0x33)), 24);
}

TEST(SplashPicture, WithoutAPictureTheBoxStaysBlank) {
    EXPECT_EQ(LoadSplashPicture(GetModuleHandleW(nullptr), "NOSUCHPICTURE", "JPG"), nullptr);
    Capture canvas(8, 8);
    PaintSplashPicture(nullptr, canvas.Dc());
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 0, 0));
}

}  // namespace
}  // namespace pellwise
