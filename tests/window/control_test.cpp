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

// A hook that appends its name to the log for WM_USER and consumes it when w is 1.
MessageHook Logging(std::string& log, std::string name, bool consumes = false) {
    return [&log, name, consumes](Control&, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        log += name + " ";
        return consumes && w == 1 ? std::optional<LRESULT>(42) : std::nullopt;
    };
}

TEST_F(ControlTest, AMessageToAControlWithoutWindowCreatesItAndItsParentFirst) {
    Control& parent = form_.Adopt(std::make_unique<Control>(*app_, &form_, "PANEL", WS_CHILD | WS_VISIBLE));
    Control& child = parent.Adopt(std::make_unique<Control>(*app_, &parent, "PANEL", WS_CHILD | WS_VISIBLE));
    std::vector<UINT> seen;
    child.AttachHook([&](Control&, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        seen.push_back(message);
        return std::nullopt;
    });
    ASSERT_FALSE(form_.HasWindow());
    child.SendToControl(WM_USER + 7, 0, 0);
    ASSERT_TRUE(form_.HasWindow());
    EXPECT_EQ(GetParent(child.HandleIfCreated()), parent.HandleIfCreated());
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_CREATE)), seen.end());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(ClassOf(child.HandleIfCreated()), "obj_PANEL");

    Show();
    Control& late = CreatePlainLabel(form_, "late");
    EXPECT_FALSE(late.HasWindow());
    ProcessPendingMessages(*app_);
    ASSERT_TRUE(late.HasWindow()) << "a child of a live parent gets its window from the message loop";
    EXPECT_TRUE(IsWindowVisible(late.HandleIfCreated()));
}

TEST_F(ControlTest, HooksRunNewestFirstTheFirstConsumerEndsTheMessageAndSomeStopAtTermination) {
    Control& c = form_.Adopt(std::make_unique<Control>(*app_, &form_, "PANEL", WS_CHILD));
    std::string log;
    c.AttachHook(Logging(log, "old"));
    c.AttachHook(Logging(log, "middle", true));
    c.AttachHook(Logging(log, "new"), false);
    c.SendToControl(WM_USER, 0, 0);
    EXPECT_EQ(log, "new middle old ");
    log.clear();
    EXPECT_EQ(c.SendToControl(WM_USER, 1, 0), 42);
    EXPECT_EQ(log, "new middle ");
    log.clear();
    app_->Terminate();
    c.SendToControl(WM_USER, 0, 0);
    EXPECT_EQ(log, "middle old ") << "a hook without context is skipped while the application terminates";
}

TEST_F(ControlTest, ASystemClassIsTakenOverUnderTheLayersNameWithSettingsMadeBeforeItsWindow) {
    Control& label = CreatePlainLabel(form_, Ru("Миссии"));
    label.SetEnabled(false);
    label.SetVisible(false);
    HWND window = label.Handle();
    EXPECT_EQ(ClassOf(window), "obj_STATIC");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), 0x4800018Cu) << "hidden and disabled";
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_FALSE(IsWindowVisible(window));
    // The system procedure keeps the text, in Unicode whatever the code page.
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_EQ(std::wstring(text), L"\u041C\u0438\u0441\u0441\u0438\u0438");
    label.SetEnabled(true);
    label.SetCaption("two");
    EXPECT_TRUE(IsWindowEnabled(window));
    GetWindowTextW(window, text, 16);
    EXPECT_EQ(std::wstring(text), L"two");
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowTheInsideTestOncePerCrossing) {
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

}  // namespace
}  // namespace pellwise
