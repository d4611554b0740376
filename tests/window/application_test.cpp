#include "services/window/application.h"

#include <gtest/gtest.h>

#include <string>
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
    EXPECT_EQ(ClassifyWindowsVersion(k9x | 0x0003), 0);  // 9x before 4
    EXPECT_EQ(ClassifyWindowsVersion(k9x | 0x0004), 1);  // 95
    EXPECT_EQ(ClassifyWindowsVersion(k9x | 0x0A04), 2);  // 98 (4.10)
    EXPECT_EQ(ClassifyWindowsVersion(k9x | 0x5A04), 3);  // ME (4.90)
    EXPECT_EQ(ClassifyWindowsVersion(0x0004), 4);        // NT 4
    EXPECT_EQ(ClassifyWindowsVersion(0x0005), 5);        // 2000
    EXPECT_EQ(ClassifyWindowsVersion(0x0105), 6);        // XP
    EXPECT_EQ(ClassifyWindowsVersion(0x0106), 6);        // 7 lands with XP
    EXPECT_EQ(ClassifyWindowsVersion(0x0205), 7);        // Server 2003
    EXPECT_EQ(ClassifyWindowsVersion(0x0206), 8);        // 8
    EXPECT_EQ(ClassifyWindowsVersion(0x000A), 8);        // 10
    // Windows 8 and later report 6.2 to programs without a manifest (class 8);
    // a Wine prefix set to Windows 7 reports 6.1 (class 6).
    const std::uint8_t current = QueryWindowsVersionClass();
    EXPECT_TRUE(current == 8 || current == 6) << int(current);
}

TEST_F(ApplicationTest, TheApplicationWindowKeepsOnlyMinimiseAndCloseInItsMenu) {
    HWND window = app_->Window().Handle();
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    EXPECT_STREQ(name, "obj_App");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & 0x90CA0000u, 0x90CA0000u);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    HMENU menu = GetSystemMenu(window, FALSE);
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(ApplicationTest, CloseFromTheApplicationMenuClosesTheMainFormAndEndsTheLoop) {
    Show();
    app_->Window().SendToControl(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(app_->Terminated()) << "posted, not sent";
    ProcessPendingMessages(*app_);
    EXPECT_TRUE(app_->Terminated());
}

TEST_F(ApplicationTest, TheWindowsShowTheProgramsIcon) {
    ASSERT_NE(app_->Icon(), nullptr) << "MAINICON is linked into the test program";
    HWND appWindow = app_->Window().Handle();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(appWindow, WM_GETICON, ICON_BIG, 0)), app_->Icon());
    const auto formIcon = reinterpret_cast<HICON>(SendMessageW(form_.Handle(), WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(formIcon, nullptr);
    EXPECT_NE(formIcon, app_->Icon()) << "other windows get a copy";
}

TEST_F(ApplicationTest, ABorderlessFixedFormLosesItsFrameAndRefusesSizing) {
    form_.SetBorder(false);
    form_.SetClientSize(633, 505);
    form_.SetResizable(false);
    HWND window = form_.Handle();
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetWindow(window, GW_OWNER), app_->Window().HandleIfCreated());
    MINMAXINFO info = {};
    form_.SendToControl(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 633);
    EXPECT_EQ(info.ptMaxTrackSize.y, 505);
    form_.Centre();
    const RECT r = form_.Bounds();
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 633) / 2);
    EXPECT_EQ(form_.ClientRect().right, 633);
}

TEST_F(ApplicationTest, MinimisingTheMainFormGoesThroughTheApplicationWindow) {
    Show();
    std::vector<WPARAM> commands;
    app_->Window().AttachHook([&](Control&, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_SYSCOMMAND) commands.push_back(w & 0xFFF0);
        return std::nullopt;
    });
    EXPECT_EQ(form_.SendToControl(WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_FALSE(IsIconic(form_.HandleIfCreated()));
    ProcessPendingMessages(*app_);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), static_cast<WPARAM>(SC_MINIMIZE));
}

TEST(RichEditChoice, UsesTheClassOfTheFirstLibraryThatLoads) {
    std::vector<std::string> tried;
    SystemCalls calls;
    calls.LoadModule = [&](const char* name) -> HMODULE {
        tried.push_back(name);
        return std::string(name) == "msftedit" ? nullptr : LoadLibraryA(name);
    };
    Application app("Pellwise", calls);
    EXPECT_EQ(app.RichEditClass(), "RichEdit20A");
    EXPECT_EQ(tried, (std::vector<std::string>{"msimg32.dll", "msftedit", "riched20"}));
    EXPECT_EQ(app.RichEditClass(), "RichEdit20A") << "chosen once";
    EXPECT_EQ(tried.size(), 3u);
}

TEST(RichEditChoice, TriesTheOldLibrariesFirstWhenOleFailsAndKeepsTheLastName) {
    std::vector<std::string> tried;
    SystemCalls calls;
    calls.InitializeOle = [] { return E_FAIL; };
    calls.LoadModule = [&](const char* name) -> HMODULE {
        tried.push_back(name);
        return nullptr;
    };
    Application app("Pellwise", calls);
    EXPECT_EQ(app.RichEditClass(), "RichEdit50W");
    EXPECT_EQ(tried, (std::vector<std::string>{"msimg32.dll", "riched", "riched32", "riched20", "msftedit"}));
    EXPECT_EQ(app.SystemGradientFill(), nullptr) << "no msimg32: the program's own fill";
}

TEST(Timers, AnIntervalOfZeroArmsAThousandMillisecondTimerOnOneSharedWindow) {
    struct Call {
        HWND Window;
        UINT_PTR Id;
        UINT Interval;
    };
    std::vector<Call> armed;
    std::vector<UINT_PTR> stopped;
    SystemCalls calls;
    calls.StartTimer = [&](HWND w, UINT_PTR id, UINT interval, TIMERPROC proc) {
        armed.push_back({w, id, interval});
        return SetTimer(w, id, interval, proc);
    };
    calls.StopTimer = [&](HWND w, UINT_PTR id) {
        stopped.push_back(id);
        return KillTimer(w, id);
    };
    Application app("Pellwise", calls);
    auto first = std::make_unique<Timer>(app, 0);
    Timer second(app, 300);
    EXPECT_EQ(first->Interval(), 1000);
    first->SetEnabled(true);
    first->SetEnabled(true);
    second.SetEnabled(true);
    ASSERT_EQ(armed.size(), 2u) << "enabling an enabled timer does nothing";
    EXPECT_EQ(armed[0].Interval, 1000u);
    EXPECT_EQ(armed[1].Interval, 300u);
    EXPECT_EQ(armed[0].Window, armed[1].Window);
    EXPECT_TRUE(IsWindow(armed[0].Window));
    EXPECT_NE(armed[0].Id, armed[1].Id);
    first.reset();
    EXPECT_EQ(stopped.size(), 1u) << "destroying a timer disables it";
    EXPECT_TRUE(IsWindow(armed[0].Window)) << "the window stays while a timer object lives";
}

TEST(Timers, TheEventRunsFromTheMessageLoopAndTheSharedWindowGoesWithTheLastTimer) {
    Application app("Pellwise");
    HWND host = nullptr;
    {
        Timer timer(app, 10);
        int ticks = 0;
        timer.SetHandler([&](Timer&) { ++ticks; });
        timer.SetEnabled(true);
        host = app.TimerWindow();
        for (int i = 0; i < 100 && ticks == 0; ++i) {
            Sleep(10);
            ProcessPendingMessages(app);
        }
        EXPECT_GT(ticks, 0);
    }
    EXPECT_FALSE(IsWindow(host));
}

}  // namespace
}  // namespace pellwise
