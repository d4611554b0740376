#include "services/window/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/text_codec.h"
#include "services/window/labels.h"
#include "tests/window/test_window.h"

namespace pellwise {
namespace {

using ControlTest = WindowTest;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

TEST_F(ControlTest, AMessageToAControlWithoutWindowCreatesItAndItsParentFirst) {
    auto panel = std::make_unique<Control>(*app_, &form_, "PANEL", WS_CHILD | WS_VISIBLE);
    Control& parent = form_.Adopt(std::move(panel));
    Control& child = parent.Adopt(std::make_unique<Control>(*app_, &parent, "PANEL", WS_CHILD | WS_VISIBLE));
    std::vector<UINT> seen;
    child.AttachHook([&](Control&, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        seen.push_back(message);
        return std::nullopt;
    });
    ASSERT_FALSE(form_.HasWindow());

    child.SendToControl(WM_USER + 7, 0, 0);

    ASSERT_TRUE(form_.HasWindow());
    ASSERT_TRUE(parent.HasWindow());
    EXPECT_EQ(GetParent(child.HandleIfCreated()), parent.HandleIfCreated());
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_CREATE)), seen.end());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(ClassOf(child.HandleIfCreated()), "obj_PANEL");
}

TEST_F(ControlTest, AChildAddedToALiveParentGetsItsWindowFromTheMessageLoop) {
    Show();
    Control& late = CreatePlainLabel(form_, "late");
    bool sawCreate = false;
    late.AttachHook([&](Control&, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        sawCreate |= message == WM_CREATE;
        return std::nullopt;
    });
    EXPECT_FALSE(late.HasWindow());
    ProcessPendingMessages(*app_);
    ASSERT_TRUE(late.HasWindow());
    EXPECT_TRUE(sawCreate);
    EXPECT_TRUE(IsWindowVisible(late.HandleIfCreated()));
}

TEST_F(ControlTest, HooksRunNewestFirstAndTheFirstConsumerEndsTheMessage) {
    Control& c = form_.Adopt(std::make_unique<Control>(*app_, &form_, "PANEL", WS_CHILD));
    std::string order;
    c.AttachHook([&](Control&, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) order += "old ";
        return std::nullopt;
    });
    c.AttachHook([&](Control&, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        order += "middle ";
        return w == 1 ? std::optional<LRESULT>(42) : std::nullopt;
    });
    c.AttachHook([&](Control&, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_USER) order += "new ";
        return std::nullopt;
    });
    c.SendToControl(WM_USER, 0, 0);
    EXPECT_EQ(order, "new middle old ");
    order.clear();
    EXPECT_EQ(c.SendToControl(WM_USER, 1, 0), 42);
    EXPECT_EQ(order, "new middle ");
}

TEST_F(ControlTest, HooksWithoutContextAreSkippedWhileTheApplicationTerminates) {
    Control& c = form_.Adopt(std::make_unique<Control>(*app_, &form_, "PANEL", WS_CHILD));
    int always = 0, untilEnd = 0;
    c.AttachHook([&](Control&, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        always += m == WM_USER;
        return std::nullopt;
    });
    c.AttachHook(
        [&](Control&, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            untilEnd += m == WM_USER;
            return std::nullopt;
        },
        false);
    c.SendToControl(WM_USER, 0, 0);
    app_->Terminate();
    c.SendToControl(WM_USER, 0, 0);
    EXPECT_EQ(always, 2);
    EXPECT_EQ(untilEnd, 1);
}

TEST_F(ControlTest, ASystemClassIsTakenOverUnderTheLayersName) {
    Control& label = CreatePlainLabel(form_, Ru("Миссии"));
    HWND window = label.Handle();
    EXPECT_EQ(ClassOf(window), "obj_STATIC");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), 0x5000018Cu);
    // The system procedure keeps the text, in Unicode whatever the code page.
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_EQ(std::wstring(text), L"\u041C\u0438\u0441\u0441\u0438\u0438");
    EXPECT_EQ(label.Height(), 22);
}

TEST_F(ControlTest, EnablingVisibilityAndCaptionReachTheWindow) {
    Control& label = CreatePlainLabel(form_, "one");
    label.SetEnabled(false);
    label.SetVisible(false);
    HWND window = label.Handle();
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_FALSE(label.IsEnabled());
    label.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(window));
    label.SetCaption("two");
    char text[8] = {};
    GetWindowTextA(window, text, 8);
    EXPECT_STREQ(text, "two");
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowTheInsideTest) {
    Control& c = form_.Adopt(std::make_unique<Control>(*app_, &form_, "PANEL", WS_CHILD | WS_VISIBLE));
    bool inside = false;
    std::string events;
    c.SetInsideTest([&](Control&) { return inside; });
    c.SetMouseEnterHandler([&](Control&) { events += "enter "; });
    c.SetMouseLeaveHandler([&](Control&) { events += "leave "; });
    c.SendToControl(WM_MOUSEMOVE, 0, 0);
    inside = true;
    c.SendToControl(WM_MOUSEMOVE, 0, 0);
    c.SendToControl(WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(c.MouseInside());
    c.SendToControl(WM_MOUSELEAVE, 0, 0);
    c.SendToControl(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, "enter leave ");
    EXPECT_FALSE(c.MouseInside());
}

TEST_F(ControlTest, WindowStateIsRecordedFromSizeMessagesAndNotRepeated) {
    Show();
    EXPECT_EQ(form_.RecordedState(), WindowState::Normal);
    form_.SendToControl(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(form_.RecordedState(), WindowState::Minimized);
    form_.SendToControl(WM_SIZE, SIZE_RESTORED, 0);
    form_.SetWindowState(WindowState::Normal);  // already normal: no ShowWindow
    EXPECT_EQ(form_.RecordedState(), WindowState::Normal);
}

}  // namespace
}  // namespace pellwise
