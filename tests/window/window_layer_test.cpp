#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/window/test_window.h"
#include "window/application.h"
#include "window/control.h"
#include "window/labels.h"
#include "window/list_control.h"
#include "window/windows_version.h"

namespace pellwise {
namespace {

TEST(WindowsVersionClass, FollowsTheVersionTable) {
    constexpr std::uint32_t k9x = 0x80000000;
    // 9x before 4, 95, 98 (4.10), ME (4.90), NT 4, 2000, XP, 7 (lands with XP), Server 2003, 8, 10
    const std::pair<std::uint32_t, int> table[] = {
        {k9x | 0x0003, 0}, {k9x | 0x0004, 1}, {k9x | 0x0A04, 2}, {k9x | 0x5A04, 3}, {0x0004, 4}, {0x0005, 5},
        {0x0105, 6},       {0x0106, 6},       {0x0205, 7},       {0x0206, 8},       {0x000A, 8}};
    for (const auto& [version, expected] : table) EXPECT_EQ(ClassifyWindowsVersion(version), expected) << version;
}

TEST(RichEditChoice, TakesTheFirstLibraryThatLoadsNewestFirstOrOldestFirstWhenOleFails) {
    for (const bool oleWorks : {true, false}) {
        std::vector<std::string> tried;
        SystemCalls calls;
        if (!oleWorks) calls.InitializeOle = [] { return E_FAIL; };
        calls.LoadModule = [&](const char* name) -> HMODULE {
            tried.push_back(name);
            return oleWorks && std::string(name) != "msftedit" ? LoadLibraryA(name) : nullptr;
        };
        Application app("Pellwise", calls);
        if (oleWorks) {
            EXPECT_EQ(app.RichEditClass(), "RichEdit20A");
            EXPECT_EQ(tried, (std::vector<std::string>{"msimg32.dll", "msftedit", "riched20"}));
        } else {
            EXPECT_EQ(app.RichEditClass(), "RichEdit50W") << "none loads: the last name tried";
            EXPECT_EQ(tried, (std::vector<std::string>{"msimg32.dll", "riched", "riched32", "riched20", "msftedit"}));
            EXPECT_EQ(app.SystemGradientFill(), nullptr) << "no msimg32: the program's own fill";
        }
    }
}

using ControlTest = WindowTest;

// A hook that appends its name to the log for WM_USER and consumes it when w is 1.
MessageHook Logging(std::string& log, std::string name, bool consumes = false) {
    return [&log, name, consumes](Control&, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_USER) return std::nullopt;
        log += name + " ";
        return consumes && w == 1 ? std::optional<LRESULT>(42) : std::nullopt;
    };
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

// The list view works its item width out anew when items, font or styles
// change; the width the program set must hold whichever came first.
TEST_F(ControlTest, AListKeepsItsColumnWidthWhateverHappensFirst) {
    for (const bool widthFirst : {true, false}) {
        ListControl& list = CreateListControl(form_, LVS_LIST, 0, LVS_EX_CHECKBOXES);
        if (widthFirst) list.SetColumnWidth(205);
        list.AddItem("Mission one");
        list.SetFontHeight(15);
        if (!widthFirst) list.SetColumnWidth(205);
        list.AddItem("Mission two");
        Show();
        EXPECT_EQ(list.ColumnWidth(), 205) << (widthFirst ? "width first" : "width last");
    }
}

int FontHeight(Control& control) {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(control.SendToControl(WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfHeight;
}

// Moving to a monitor of another DPI: boxes and fonts are the ones written
// for 96 DPI, scaled, and the window goes where the system suggests.
TEST_F(ControlTest, ANewDpiRescalesBoxesFontsAndLabelsAndTakesTheSuggestedPlace) {
    Control& child = CreatePlainLabel(form_, "Missions");
    child.SetPosition(16, 40);
    child.SetSize(601, 22);
    ShadowLabel& label = CreateShadowLabel(form_, "Pellwise", 1);
    label.SetAutoSize(true);
    Show();
    const int dpi = form_.Dpi();
    const RECT labelBefore = label.Bounds();
    const int fontBefore = FontHeight(child);

    const int next = dpi * 3 / 2;
    RECT suggested = {100, 80, 100 + 600, 80 + 450};
    form_.SendToControl(WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));

    const DpiScale scale{next};
    const RECT box = child.Bounds();
    EXPECT_EQ(box.left, scale(16));
    EXPECT_EQ(box.top, scale(40));
    EXPECT_EQ(box.right, scale(16 + 601));
    EXPECT_EQ(box.bottom, scale(40 + 22));
    EXPECT_EQ(FontHeight(child), scale(13));
    EXPECT_NE(FontHeight(child), fontBefore);
    EXPECT_GT(label.Bounds().right - label.Bounds().left, (labelBefore.right - labelBefore.left) * 5 / 4);
    const RECT window = form_.Bounds();
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 80);
    EXPECT_EQ(window.right - window.left, DpiScale{next}(form_.LogicalWidth()));
}

}  // namespace
}  // namespace pellwise
