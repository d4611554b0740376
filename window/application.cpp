#include "window/application.h"

#include <algorithm>
#include <array>
#include <utility>

#include "window/dpi.h"
#include "window/form.h"
#include "window/windows_version.h"

namespace pellwise {

namespace {

constexpr DWORD kAppStyle = 0x90CA0000;  // WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX

// The invisible window that carries the task-bar entry of the program.
class ApplicationWindow : public Control {
public:
    ApplicationWindow(Application& app, std::string title) : Control(app, nullptr, "App", kAppStyle, WS_EX_APPWINDOW) {
        SetCaption(std::move(title));
        SetSize(0, 0);
        SetPosition(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    }
    ~ApplicationWindow() override { DestroyWindowNow(); }

protected:
    void OnWindowCreated() override {
        HMENU menu = GetSystemMenu(HandleIfCreated(), FALSE);
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
        EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    }

    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        Form* form = App().MainForm();
        switch (message) {
            case WM_SYSCOMMAND:
                if ((wParam & 0xFFF0) == SC_CLOSE) {
                    if (form) PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
                    return 0;
                }
                if ((wParam & 0xFFF0) == SC_MINIMIZE && form && form->MinimizeAnimation() && form->HasWindow()) {
                    RECT r;
                    GetWindowRect(form->HandleIfCreated(), &r);
                    SetWindowPos(HandleIfCreated(), nullptr, r.left, r.top, r.right - r.left, 0,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
                }
                break;
            case WM_SETFOCUS:
                if (form && form->CurrentControl() && form->CurrentControl()->HasWindow()) {
                    SetFocus(form->CurrentControl()->HandleIfCreated());
                    return 0;
                }
                break;
            case WM_CLOSE:
                App().Terminate();
                return 0;
            default:
                break;
        }
        return Control::HandleMessage(message, wParam, lParam);
    }
};

// The hidden window whose timers carry the timer objects.
class TimerHostWindow : public Control {
public:
    explicit TimerHostWindow(Application& app) : Control(app, nullptr, "TimerWindow", WS_POPUP) { SetSize(0, 0); }
    ~TimerHostWindow() override { DestroyWindowNow(); }
};

struct RichEditLibrary {
    const char* Library;
    const char* ClassName;
};
constexpr std::array<RichEditLibrary, 4> kRichEditLibraries = {{
    {"msftedit", "RichEdit50W"},
    {"riched20", "RichEdit20A"},
    {"riched32", "RichEdit"},
    {"riched", "RichEdit"},
}};

}  // namespace

Application::Application(std::string title, SystemCalls calls)
    : title_(std::move(title)),
      calls_(std::move(calls)),
      instance_(GetModuleHandleW(nullptr)),
      icon_(LoadIconA(instance_, "MAINICON")),
      startDpi_((DeclareDpiAwareness(), SystemDpi())),
      versionClass_(QueryWindowsVersionClass()) {
    LoadGradientRoutines();
    window_ = std::make_unique<ApplicationWindow>(*this, title_);
}

Application::~Application() {
    terminated_ = true;
    while (!forms_.empty()) forms_.pop_back();
    timerWindow_.reset();
    window_.reset();
    if (oleInitialized_) OleUninitialize();
}

void Application::LoadGradientRoutines() {
    // The library stays loaded for the life of the process.
    HMODULE msimg = calls_.LoadModule("msimg32.dll");
    if (!msimg) return;
    FARPROC fill = GetProcAddress(msimg, "GradientFill");
    FARPROC transparent = GetProcAddress(msimg, "TransparentBlt");
    if (fill && transparent && versionClass_ > 2)
        gradientFill_ = reinterpret_cast<GradientFillFn>(reinterpret_cast<void (*)()>(fill));
}

Form& Application::CreateForm(std::string caption) {
    forms_.push_back(std::make_unique<Form>(*this, std::move(caption)));
    if (!mainForm_) mainForm_ = forms_.back().get();
    return *forms_.back();
}

void Application::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

const std::string& Application::RichEditClass() {
    if (!richEditClass_.empty()) return richEditClass_;
    oleInitialized_ = SUCCEEDED(calls_.InitializeOle());
    std::array<RichEditLibrary, 4> order = kRichEditLibraries;
    if (!oleInitialized_) std::reverse(order.begin(), order.end());
    ErrorModeScope quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const RichEditLibrary& lib : order) {
        richEditClass_ = lib.ClassName;
        HMODULE module = calls_.LoadModule(lib.Library);
        if (reinterpret_cast<UINT_PTR>(module) > 32) break;
    }
    return richEditClass_;
}

void Application::RemoveTimerUser() {
    if (--timerUsers_ <= 0) {
        timerUsers_ = 0;
        timerWindow_.reset();
    }
}

HWND Application::TimerWindow() {
    if (!timerWindow_) timerWindow_ = std::make_unique<TimerHostWindow>(*this);
    return timerWindow_->Handle();
}

void ProcessPendingMessages(Application& app) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            app.Terminate();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void RunMessageLoop(std::unique_ptr<Application> app) {
    app->Window().Handle();
    if (Form* form = app->MainForm()) form->SetVisible(true);
    while (!app->Terminated()) {
        WaitMessage();
        ProcessPendingMessages(*app);
    }
    app.reset();
}

}  // namespace pellwise
