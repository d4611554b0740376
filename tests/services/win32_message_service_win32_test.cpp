#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "services/text_codec.h"
#include "services/win32_message_service.h"

namespace pellwise {
namespace {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    bool found = false;
};

struct Search {
    DWORD process;
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (process != search->process || std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    search->box = window;
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

// Waits (up to a minute, for a loaded machine) for this process's message box,
// notes what it shows and presses `button`.
std::thread Presser(SeenBox& seen, int button) {
    return std::thread([&seen, button] {
        for (int attempt = 0; attempt < 1200 && !seen.found; ++attempt) {
            Search search{GetCurrentProcessId()};
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
            if (search.box == nullptr) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                continue;
            }
            seen.caption = TextOf(search.box);
            seen.text = TextOf(GetDlgItem(search.box, 0xFFFF));
            seen.found = true;
            PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(search.box, button)));
        }
    });
}

TEST(Win32MessageService, ShowsCyrillicUnderTheApplicationTitleOrTheSystemDefaultAndReturnsThePressedButton) {
    Win32MessageService titled("Pellwise");
    SeenBox seen;
    std::thread presser = Presser(seen, IDYES);
    const int answer = titled.ShowMessageBox(Ru("Объекты уже есть.\rПерезаписать?"), kMbYesNo | kMbIconQuestion);
    presser.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, kIdYes);
    EXPECT_EQ(seen.caption, L"Pellwise");
    EXPECT_NE(seen.text.find(L"Объекты уже есть."), std::wstring::npos);
    EXPECT_NE(seen.text.find(L"Перезаписать?"), std::wstring::npos);

    Win32MessageService untitled;
    SeenBox plain;
    presser = Presser(plain, IDOK);
    EXPECT_EQ(untitled.ShowMessageBox("IO error", kMbIconError), kIdOk);
    presser.join();
    ASSERT_TRUE(plain.found);
    EXPECT_FALSE(plain.caption.empty());
    EXPECT_NE(plain.caption, L"Pellwise");
}

}  // namespace
}  // namespace pellwise
