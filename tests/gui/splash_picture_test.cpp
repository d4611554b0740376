#include "installer/gui/splash_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "services/window/handles.h"

namespace pellwise {
namespace {

// What a DC shows after painting, read back from a 32-bit DIB.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill)
        : dib_(CreateDib32(width, height)), select_(dc_.Get(), dib_.Bitmap.Get()) {
        RECT all = {0, 0, width, height};
        BrushHandle brush(CreateSolidBrush(fill));
        FillRect(dc_.Get(), &all, brush.Get());
    }
    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = dib_.Bits[y * dib_.Width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }

private:
    MemoryDc dc_{nullptr};
    DibSection dib_;
    SelectScope select_;
};

bool Near(COLORREF a, COLORREF b, int tolerance = 24) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(SplashPicture, TheProgramsPictureDecodesAtItsOwnSize) {
    const auto picture = LoadSplashPicture(GetModuleHandleW(nullptr), "LOADSCREEN", "JPG");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 600);
    EXPECT_EQ(picture->Height(), 371);
}

TEST(SplashPicture, PaintsUnscaledFromTheTopLeftCorner) {
    const auto picture = LoadSplashPicture(GetModuleHandleW(nullptr), "LOADSCREEN", "JPG");
    ASSERT_NE(picture, nullptr);
    Canvas canvas(600, 371, RGB(255, 0, 255));
    PaintSplashPicture(picture.get(), canvas.Dc());
    // The moon: a pale disc of radius 28 around (470, 90) in a dark sky.
    EXPECT_TRUE(Near(canvas.At(470, 90), RGB(0xE8, 0xD9, 0xA8))) << std::hex << canvas.At(470, 90);
    EXPECT_TRUE(Near(canvas.At(470, 66), RGB(0xE8, 0xD9, 0xA8)));
    EXPECT_FALSE(Near(canvas.At(470, 58), RGB(0xE8, 0xD9, 0xA8))) << "scaled or shifted";
    EXPECT_FALSE(Near(canvas.At(438, 90), RGB(0xE8, 0xD9, 0xA8))) << "scaled or shifted";
    EXPECT_TRUE(Near(canvas.At(2, 2), RGB(0x1B, 0x24, 0x33)));
    EXPECT_TRUE(Near(canvas.At(599, 370), RGB(0x0B, 0x0D, 0x12)) || !Near(canvas.At(599, 370), RGB(255, 0, 255)));
}

TEST(SplashPicture, WithoutAPictureTheBoxStaysBlank) {
    EXPECT_EQ(LoadSplashPicture(GetModuleHandleW(nullptr), "NOSUCHPICTURE", "JPG"), nullptr);
    Canvas canvas(8, 8, RGB(10, 20, 30));
    PaintSplashPicture(nullptr, canvas.Dc());
    EXPECT_EQ(canvas.At(4, 4), RGB(10, 20, 30));
}

}  // namespace
}  // namespace pellwise
