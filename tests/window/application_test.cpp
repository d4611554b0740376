#include "services/window/application.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "services/window/form.h"
#include "services/window/timer.h"
#include "services/window/windows_version.h"
#include "tests/window/test_window.h"

namespace pellwise {
namespace {

using ApplicationTest = WindowTest;

TEST(WindowsVersionClass, FollowsTheVersionTable) {
    constexpr std::uint32_t k9x = 0x80000000;
    // 9x before 4, 95, 98 (4.10), ME (4.90), NT 4, 2000, XP, 7 (lands with XP), Server 2003, 8, 10
    const std::pair<std::uint32_t, int> table[] = {
        {k9x | 0x0003, 0}, {k9x | 0x0004, 1}, {k9x | 0x0A04, 2}, {k9x | 0x5A04, 3}, {0x0004, 4}, {0x0005, 5},
        {0x0105, 6},       {0x0106, 6},       {0x0205, 7},       {0x0206, 8},       {0x000A, 8}};
    for (const auto& [version, expected] : table) EXPECT_EQ(ClassifyWindowsVersion(version), expected) << version;
    // Windows 8 and later report 6.2 to programs without a manifest (class 8);
    // a Wine prefix set to Windows 7 reports 6.1 (class 6).
    const std::uint8_t current = QueryWindowsVersionClass();
    EXPECT_TRUE(current == 8 || current == 6) << int(current);
}

TEST_F(ApplicationTest, TheApplicationWindowCarriesTheIconAndAMenuThatOnlyMinimisesAndCloses) {
    HWND window = app_->Window().Handle();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & 0x90CA0000u, 0x90CA0000u);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "the task-bar entry";
    HMENU menu = GetSystemMenu(window, FALSE);
    for (const UINT removed : {SC_MAXIMIZE, SC_MOVE, SC_SIZE})
        EXPECT_EQ(GetMenuState(menu, removed, MF_BYCOMMAND), static_cast<UINT>(-1)) << removed;
    EXPECT_TRUE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);

    ASSERT_NE(app_->Icon(), nullptr) << "MAINICON is linked into the test program";
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), app_->Icon());
    const auto formIcon = reinterpret_cast<HICON>(SendMessageW(form_.Handle(), WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(formIcon, nullptr);
    EXPECT_NE(formIcon, app_->Icon()) << "other windows get a copy";

    Show();
    app_->Window().SendToControl(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(app_->Terminated()) << "posted, not sent";
    ProcessPendingMessages(*app_);
    EXPECT_TRUE(app_->Terminated());
}

TEST_F(ApplicationTest, ABorderlessFixedFormLosesItsFrameRefusesSizingAndMinimisesThroughTheApplication) {
    form_.SetBorder(false);
    form_.SetClientSize(633, 505);
    form_.SetResizable(false);
    form_.Centre();
    HWND window = form_.Handle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetWindow(window, GW_OWNER), app_->Window().HandleIfCreated());
    MINMAXINFO info = {};
    form_.SendToControl(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 633);
    EXPECT_EQ(info.ptMaxTrackSize.y, 505);
    EXPECT_EQ(form_.Bounds().left, (GetSystemMetrics(SM_CXSCREEN) - 633) / 2);

    Show();
    std::vector<WPARAM> commands;
    app_->Window().AttachHook([&](Control&, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_SYSCOMMAND) commands.push_back(w & 0xFFF0);
        return std::nullopt;
    });
    EXPECT_EQ(form_.SendToControl(WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_FALSE(IsIconic(window));
    ProcessPendingMessages(*app_);
    EXPECT_EQ(commands, std::vector<WPARAM>{SC_MINIMIZE});
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
            EXPECT_EQ(app.RichEditClass(), "RichEdit20A") << "chosen once";
            EXPECT_EQ(tried, (std::vector<std::string>{"msimg32.dll", "msftedit", "riched20"}));
        } else {
            EXPECT_EQ(app.RichEditClass(), "RichEdit50W") << "none loads: the last name tried";
            EXPECT_EQ(tried, (std::vector<std::string>{"msimg32.dll", "riched", "riched32", "riched20", "msftedit"}));
            EXPECT_EQ(app.SystemGradientFill(), nullptr) << "no msimg32: the program's own fill";
        }
    }
}

TEST(Timers, TickFromTheLoopOnOneSharedWindowThatGoesWithTheLastTimer) {
    int stopped = 0;
    SystemCalls calls;
    calls.StopTimer = [&](HWND w, UINT_PTR id) {
        ++stopped;
        return KillTimer(w, id);
    };
    Application app("Pellwise", calls);
    auto idle = std::make_unique<Timer>(app, 0);
    auto ticking = std::make_unique<Timer>(app, 10);
    EXPECT_EQ(idle->Interval(), 1000) << "an interval of 0 means a second";
    int ticks = 0;
    ticking->SetHandler([&](Timer&) { ++ticks; });
    idle->SetEnabled(true);
    ticking->SetEnabled(true);
    const HWND host = app.TimerWindow();
    for (int i = 0; i < 100 && ticks == 0; ++i) {
        Sleep(10);
        ProcessPendingMessages(app);
    }
    EXPECT_GT(ticks, 0) << "the event runs from the message loop";
    idle.reset();
    EXPECT_EQ(stopped, 1) << "destroying a timer disables it";
    EXPECT_TRUE(IsWindow(host)) << "the window stays while a timer object lives";
    ticking.reset();
    EXPECT_FALSE(IsWindow(host));
}

}  // namespace
}  // namespace pellwise
