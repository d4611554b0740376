#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "window/control.h"

namespace pellwise {

class Form;
class Timer;

using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// The calls through which the layer reaches a few system services, so tests
// can see what is asked of them.
struct SystemCalls {
    std::function<HMODULE(const char*)> LoadModule = [](const char* name) { return ::LoadLibraryA(name); };
    std::function<HRESULT()> InitializeOle = [] { return ::OleInitialize(nullptr); };
    std::function<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> StartTimer = ::SetTimer;
    std::function<BOOL(HWND, UINT_PTR)> StopTimer = ::KillTimer;
};

// The application object: the invisible "App" window that owns the task-bar
// entry, the forms, and everything the layer keeps for the whole process
// (version class, rich-edit library, gradient routines, the timer window).
class Application {
public:
    explicit Application(std::string title, SystemCalls calls = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    const std::string& Title() const { return title_; }
    Control& Window() { return *window_; }
    HINSTANCE Instance() const { return instance_; }

    Form& CreateForm(std::string caption);
    Form* MainForm() const { return mainForm_; }

    bool Terminated() const { return terminated_; }
    void Terminate();

    std::uint8_t WindowsVersionClass() const { return versionClass_; }
    // The system GradientFill, or nullptr when the program's own fill is used.
    GradientFillFn SystemGradientFill() const { return gradientFill_; }
    void UseOwnGradientFill() { gradientFill_ = nullptr; }
    // The rich-edit class of the first library that loads, chosen on first use.
    const std::string& RichEditClass();
    // The DPI new top-level windows are planned for; each takes its own
    // monitor's once its window exists.
    int StartDpi() const { return startDpi_; }
    // The program's icon ("MAINICON"), or nullptr when the program has none.
    HICON Icon() const { return icon_; }

    int NextControlId() { return ++controlIds_ & 0xFFFF; }

    // The hidden window all timers share: made when a timer is first enabled,
    // destroyed with the last timer object.
    void AddTimerUser() { ++timerUsers_; }
    void RemoveTimerUser();
    HWND TimerWindow();
    SystemCalls& Calls() { return calls_; }

private:
    void LoadGradientRoutines();

    std::string title_;
    SystemCalls calls_;
    HINSTANCE instance_;
    HICON icon_;
    int startDpi_;
    std::uint8_t versionClass_;
    GradientFillFn gradientFill_ = nullptr;
    std::string richEditClass_;
    bool oleInitialized_ = false;
    int controlIds_ = 0;
    bool terminated_ = false;
    int timerUsers_ = 0;
    std::unique_ptr<Control> timerWindow_;
    std::unique_ptr<Control> window_;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* mainForm_ = nullptr;
};

// Runs until the application terminates, then destroys it with its forms.
void RunMessageLoop(std::unique_ptr<Application> app);

// Handles the messages that are waiting, without blocking (for tests and for
// long operations that keep the window drawn).
void ProcessPendingMessages(Application& app);

}  // namespace pellwise
