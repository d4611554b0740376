#include <gtest/gtest.h>

#include "gradient/gradient_control.h"
#include "tests/window/test_window.h"

namespace pellwise {
namespace {

class GradientInputTest : public WindowTest {
protected:
    GradientInputTest() : button_(CreateGradientButton(form_, "Next")) {
        button_.SetSize(137, 31);
        button_.SetInsideTest([this](Control&) { return mouseInside_; });
        button_.SetClickHandler([this](Control&) { ++clicks_; });
        Show();
    }

    void MoveMouse(bool inside) {
        mouseInside_ = inside;
        button_.SendToControl(WM_MOUSEMOVE, 0, 0);
    }
    void Tick() { button_.SendToControl(WM_TIMER, kAnimationTimerId, 0); }
    const InputState& In() { return button_.Model().Input; }

    GradientControl& button_;
    bool mouseInside_ = false;
    int clicks_ = 0;
};

TEST_F(GradientInputTest, LeavingAfterTwoStepsFadesBackFromTheMirroredProgress) {
    MoveMouse(true);
    EXPECT_EQ(In().Current, Transition::DefaultToOver);
    EXPECT_EQ(In().BlendProgress, 13) << "the first step is taken at once";
    Tick();
    EXPECT_EQ(In().BlendProgress, 26);
    MoveMouse(false);
    EXPECT_EQ(In().Current, Transition::OverToDefault);
    EXPECT_EQ(In().BlendProgress, 51) << "38, and the first step at once";
    Tick();
    EXPECT_EQ(In().BlendProgress, 64);
    // The fade back to Default frees what it no longer needs.
    EXPECT_FALSE(button_.Cached(static_cast<int>(LookState::Over)).Bitmap);
    EXPECT_FALSE(button_.Cached(kBlendSlot).Bitmap);
    EXPECT_TRUE(button_.Model().Stale[kBlendSlot]);
}

TEST_F(GradientInputTest, AMouseClickFiresOnceOnReleaseOnlyIfTheMouseStayed) {
    MoveMouse(true);
    button_.SendToControl(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetFocus(), button_.HandleIfCreated());
    EXPECT_EQ(In().Current, Transition::OverToDown);
    EXPECT_EQ(clicks_, 0);
    button_.SendToControl(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(In().Current, Transition::DownToOver);
    button_.SendToControl(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(clicks_, 1);

    button_.SendToControl(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    MoveMouse(false);
    EXPECT_EQ(In().Current, Transition::DownToDefault);
    button_.SendToControl(WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(clicks_, 1) << "the mouse left the button";
}

TEST_F(GradientInputTest, TheSpaceBarClicksOnReleaseHoldsAgainstTheMouseAndLosingTheFocusCancelsIt) {
    button_.SendToControl(WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_EQ(GetFocus(), button_.HandleIfCreated()) << "a right click focuses without pressing";
    EXPECT_FALSE(In().Pressed);
    button_.SendToControl(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(In().Current, Transition::DefaultToDown);
    button_.SendToControl(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(In().Source, PressSource::SpaceBar) << "the mouse cannot take over a space-bar press";
    MoveMouse(true);
    EXPECT_EQ(In().Current, Transition::DefaultToDown) << "mouse moves are ignored while the space bar holds";
    button_.SendToControl(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks_, 1);
    EXPECT_EQ(In().Current, Transition::DownToOver);

    button_.SendToControl(WM_KEYDOWN, VK_SPACE, 0);
    SetFocus(form_.HandleIfCreated());
    EXPECT_FALSE(In().Pressed);
    EXPECT_EQ(In().Current, Transition::DownToDefault) << "fades to Default though the mouse is over it";
    button_.SendToControl(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks_, 1) << "no click after the cancel";
    MoveMouse(true);
    EXPECT_EQ(In().Current, Transition::DownToDefault) << "no new enter before a leave";
}

TEST_F(GradientInputTest, APanelIgnoresTheMouseAndDoesNotTakeTheFocus) {
    GradientControl& panel = CreateGradientPanel(form_);
    panel.SetSize(200, 100);
    panel.Handle();
    SetFocus(form_.HandleIfCreated());
    panel.SendToControl(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    panel.SendToControl(WM_LBUTTONUP, 0, 0);
    EXPECT_NE(GetFocus(), panel.HandleIfCreated());
    EXPECT_FALSE(panel.Model().Input.Pressed);
    EXPECT_TRUE(panel.Model().Stale[kBlendSlot]) << "its look never changes";
    // The kind is readable from outside the control, by window property.
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(panel.Handle(), "RADEV_TYPE")), 0x21u);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(button_.Handle(), "RADEV_TYPE")), 0x20u);
    EXPECT_TRUE(GetWindowLongPtrW(button_.Handle(), GWL_STYLE) & WS_TABSTOP) << "only the button takes the focus";
}

TEST_F(GradientInputTest, TheAnimationRunsOnItsOwnTimerFromTheMessageLoop) {
    EXPECT_FALSE(button_.OwnHook(WM_TIMER, 9, 0).has_value()) << "other timers pass on";
    EXPECT_EQ(In().BlendProgress, 0);
    MoveMouse(true);
    for (int i = 0; i < 100 && In().BlendProgress < kFullBlend; ++i) {
        Sleep(10);
        ProcessPendingMessages(*app_);
    }
    EXPECT_EQ(In().BlendProgress, kFullBlend);
    EXPECT_FALSE(button_.Model().Stale[kBlendSlot]) << "the Over look stays blended in";
}

}  // namespace
}  // namespace pellwise
