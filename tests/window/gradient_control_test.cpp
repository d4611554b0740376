#include "gradient/gradient_control.h"

#include <gtest/gtest.h>

#include "gradient/paint_model.h"
#include "tests/window/test_window.h"

namespace pellwise {
namespace {

class GradientControlTest : public WindowTest {
protected:
    GradientControlTest() : button_(CreateGradientButton(form_, "")) {
        button_.SetSize(60, 30);
        button_.SetInsideTest([this](Control&) { return mouseInside_; });
        button_.SetClickHandler([this](Control&) { ++clicks_; });
        Show();
    }

    void MoveMouse(bool inside) {
        mouseInside_ = inside;
        button_.SendToControl(WM_MOUSEMOVE, 0, 0);
    }
    void Send(UINT message, WPARAM w = 0) { button_.SendToControl(message, w, 0); }
    const InputState& In() { return button_.Model().Input; }

    GradientControl& button_;
    bool mouseInside_ = false;
    int clicks_ = 0;
};

TEST_F(GradientControlTest, AMouseClickFiresOnceOnReleaseOnlyIfTheMouseStayed) {
    MoveMouse(true);
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(clicks_, 0);
    Send(WM_LBUTTONUP);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(clicks_, 1);

    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    MoveMouse(false);
    EXPECT_EQ(In().Current, Transition::DownToDefault);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(clicks_, 1) << "the mouse left the button";
}

TEST_F(GradientControlTest, TheSpaceBarClicksOnReleaseHoldsAgainstTheMouseAndLosingTheFocusCancelsIt) {
    button_.FocusControl();
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(In().Source, PressSource::SpaceBar) << "the mouse cannot take over a space-bar press";
    Send(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(clicks_, 1);

    Send(WM_KEYDOWN, VK_SPACE);
    SetFocus(form_.HandleIfCreated());
    EXPECT_FALSE(In().Pressed);
    Send(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(clicks_, 1) << "no click after the cancel";
}

TEST_F(GradientControlTest, TheBlendMixesTheLooksInsideItsRectangleOnly) {
    SetDefaultGradientFrom(button_.Model(), RGB(0, 0, 0));
    SetDefaultGradientTo(button_.Model(), RGB(0, 0, 0));
    SetOverGradientFrom(button_.Model(), RGB(128, 64, 255));
    SetOverGradientTo(button_.Model(), RGB(128, 64, 255));
    MoveMouse(true);
    ASSERT_EQ(In().BlendProgress, 13) << "the first step is taken at once";
    Capture c(60, 30);
    c.Paint(button_.Handle());
    EXPECT_EQ(c.At(30, 15), RGB(128 * 13 / 64, 64 * 13 / 64, 255 * 13 / 64));
    EXPECT_EQ(c.At(2, 15), RGB(0, 0, 0)) << "the outer 3 pixels show the Default look";
}

// A panel's looks are screen bitmaps without pixels of their own; it once
// blended from nothing and painted black.
TEST_F(GradientControlTest, APanelPressedWithTheSpaceBarBlendsRealPixels) {
    GradientControl& panel = CreateGradientPanel(form_);
    panel.SetSize(60, 30);
    Capture c(60, 30);
    c.Paint(panel.Handle());
    panel.FocusControl();
    panel.SendToControl(WM_KEYDOWN, VK_SPACE, 0);
    c.Paint(panel.Handle());
    EXPECT_NE(c.At(30, 15), RGB(0, 0, 0));
}

TEST_F(GradientControlTest, TheProgramsOwnFillStepsEachRowByTheRowOverTheHeight) {
    app_->UseOwnGradientFill();
    SetAllBorderColor(button_.Model(), RGB(1, 2, 3));
    SetAllCornerWidth(button_.Model(), 0);
    Capture c(60, 30);
    c.Paint(button_.Handle());
    for (int y = 1; y < 29; ++y)
        EXPECT_EQ(c.At(32, y), BandColor(RGB(0xFF, 0xFF, 0xFF), RGB(0xAF, 0xBE, 0xD1), y, 30)) << "row " << y;
}

}  // namespace
}  // namespace pellwise
