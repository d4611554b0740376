#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/window/test_window.h"
#include "window/application.h"
#include "window/control.h"
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

}  // namespace
}  // namespace pellwise
