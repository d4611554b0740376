#include <gtest/gtest.h>

#include <utility>

#include "gradient/gradient_control.h"
#include "gradient/paint_model.h"
#include "tests/window/test_window.h"

namespace pellwise {
namespace {

constexpr COLORREF kBorder = RGB(0xA0, 0xA0, 0xA4);

class GradientPaintTest : public WindowTest {
protected:
    GradientPaintTest() { Show(); }
    GradientControl& Button(const std::string& caption, int w, int h) {
        GradientControl& b = CreateGradientButton(form_, caption);
        b.SetSize(w, h);
        return b;
    }
};

TEST_F(GradientPaintTest, ANewButtonShowsTheDefaultLook) {
    GradientControl& b = Button("HHH", 137, 41);
    Capture c(137, 41);
    c.Paint(b.Handle());
    for (const auto& [x, y] : {std::pair{68, 0}, {68, 40}, {0, 20}, {136, 20}}) EXPECT_EQ(c.At(x, y), kBorder) << x;
    EXPECT_NE(c.At(1, 20), kBorder) << "one pixel wide";
    // Wine's wide elliptic pen spills a little into the corner pixel, so the
    // corner is the outer colour give or take a quarter of the border.
    EXPECT_LE(ChannelDistance(c.At(0, 0), GetSysColor(COLOR_BTNFACE)), 0x18) << "rounded corner";
    EXPECT_LE(ChannelDistance(c.At(136, 40), GetSysColor(COLOR_BTNFACE)), 0x18);
    EXPECT_NE(c.At(4, 4), GetSysColor(COLOR_BTNFACE)) << "rounded by 4 only";
    EXPECT_LE(ChannelDistance(c.At(20, 1), RGB(255, 255, 255)), 4) << "white at the top";
    EXPECT_LE(ChannelDistance(c.At(20, 39), RGB(0xAF, 0xBE, 0xD1)), 6) << "#AFBED1 at the bottom";

    // The caption is black with a white shadow one pixel down and right.
    const RECT area = {4, 4, 133, 37};
    const RECT text = BoxOf(c, RGB(0, 0, 0), area);
    const RECT shadow = BoxOf(c, RGB(255, 255, 255), area);
    ASSERT_FALSE(IsRectEmpty(&text));
    ASSERT_FALSE(IsRectEmpty(&shadow));
    EXPECT_EQ(shadow.right - text.right, 1);
    EXPECT_EQ(shadow.bottom - text.bottom, 1);
    EXPECT_NEAR((text.left + text.right) / 2, 68, 2) << "centred";
}

TEST_F(GradientPaintTest, TheProgramsOwnFillStepsEachRowByTheRowOverTheHeight) {
    app_->UseOwnGradientFill();
    GradientControl& b = Button("", 64, 40);
    SetAllBorderColor(b.Model(), RGB(1, 2, 3));
    SetAllCornerWidth(b.Model(), 0);
    Capture c(64, 40);
    c.Paint(b.Handle());
    const COLORREF c1 = RGB(0xFF, 0xFF, 0xFF);
    const COLORREF c2 = RGB(0xAF, 0xBE, 0xD1);
    for (int y = 1; y < 39; ++y) EXPECT_EQ(c.At(32, y), BandColor(c1, c2, y, 40)) << "row " << y;
}

TEST_F(GradientPaintTest, TheFocusFrameLiesThreePixelsInsideAndCanBeTurnedOff) {
    GradientControl& b = Button("", 50, 30);
    Capture plain(50, 30), focused(50, 30);
    plain.Paint(b.Handle());
    b.FocusControl();
    ASSERT_TRUE(b.Model().Input.Focused);
    focused.Paint(b.Handle());
    int changed = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 50; ++x) {
            if (plain.At(x, y) == focused.At(x, y)) continue;
            ++changed;
            EXPECT_TRUE(x == 3 || x == 46 || y == 3 || y == 26) << x << "," << y;
            EXPECT_TRUE(x >= 3 && x <= 46 && y >= 3 && y <= 26) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 40);
    SetDrawFocusRect(b.Model(), false);
    focused.Paint(b.Handle());
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(plain.At(x, y), focused.At(x, y)) << "no frame at " << x << "," << y;
}

TEST_F(GradientPaintTest, ADisabledButtonShowsItsDisabledLookEvenUnderTheMouse) {
    GradientControl& b = Button("", 60, 30);
    b.SetInsideTest([](Control&) { return true; });
    b.SendToControl(WM_MOUSEMOVE, 0, 0);
    for (int i = 0; i < 5; ++i) b.SendToControl(WM_TIMER, kAnimationTimerId, 0);
    b.SetEnabled(false);
    Capture c(60, 30);
    c.Paint(b.Handle());
    EXPECT_EQ(c.At(30, 0), RGB(0x80, 0x80, 0x80)) << "the Disabled border";
    EXPECT_EQ(c.At(30, 1), RGB(0x80, 0x80, 0x80)) << "two pixels wide";
    EXPECT_FALSE(b.Cached(static_cast<int>(LookState::Over)).Bitmap) << "normal looks are freed";
    EXPECT_FALSE(b.Cached(kBlendSlot).Bitmap);
    b.SetEnabled(true);
    c.Paint(b.Handle());
    EXPECT_EQ(c.At(30, 0), kBorder) << "the Default look at the next paint";
    EXPECT_FALSE(b.Cached(static_cast<int>(LookState::Disabled)).Bitmap);
}

TEST_F(GradientPaintTest, TheBlendMixesTheLooksInsideItsRectangleOnly) {
    GradientControl& b = Button("", 60, 30);
    SetDefaultGradientFrom(b.Model(), RGB(0, 0, 0));
    SetDefaultGradientTo(b.Model(), RGB(0, 0, 0));
    SetDefaultGradientStyle(b.Model(), 3);
    SetOverGradientFrom(b.Model(), RGB(128, 64, 255));
    SetOverGradientTo(b.Model(), RGB(128, 64, 255));
    Capture c(60, 30);
    c.Paint(b.Handle());
    for (int y = 2; y < 28; ++y)
        for (int x = 2; x < 58; ++x)
            ASSERT_EQ(c.At(x, y), RGB(0, 0, 0)) << "equal ends paint solid at " << x << "," << y;
    b.SetInsideTest([](Control&) { return true; });
    b.SendToControl(WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(b.Model().Input.BlendProgress, 13);
    c.Paint(b.Handle());
    EXPECT_EQ(c.At(30, 15), RGB(128 * 13 / 64, 64 * 13 / 64, 255 * 13 / 64));
    EXPECT_EQ(c.At(2, 15), RGB(0, 0, 0)) << "the outer 3 pixels show the Default look";
}

TEST_F(GradientPaintTest, APanelPressedWithTheSpaceBarBlendsRealPixels) {
    GradientControl& panel = CreateGradientPanel(form_);
    panel.SetSize(60, 30);
    Capture c(60, 30);
    c.Paint(panel.Handle());
    ASSERT_EQ(panel.Cached(0).Bits, nullptr) << "a panel's looks are screen bitmaps";
    panel.FocusControl();
    panel.SendToControl(WM_KEYDOWN, VK_SPACE, 0);
    c.Paint(panel.Handle());
    EXPECT_NE(c.At(30, 15), RGB(0, 0, 0)) << "mixed from the two looks, not from nothing";
}

}  // namespace
}  // namespace pellwise
