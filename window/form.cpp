#include "window/form.h"

#include "window/application.h"

namespace pellwise {

namespace {

constexpr DWORD kFormStyle =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPSIBLINGS;

int FloorHalf(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

Form::Form(Application& app, std::string caption) : Control(app, nullptr, "Form", kFormStyle) {
    SetCaption(std::move(caption));
    SetSize(400, 300);
}

Form::~Form() { DestroyWindowNow(); }

HWND Form::OwnerWindow() { return App().Window().Handle(); }

bool Form::IsMainForm() const { return App().MainForm() == this; }

void Form::SetBorder(bool border) {
    constexpr DWORD kFrame = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    constexpr DWORD kEdges = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    if (border) {
        SetStyleBits(kFrame, WS_POPUP);
    } else {
        SetStyleBits(WS_POPUP, kFrame);
        SetExStyleBits(0, kEdges);
    }
}

void Form::SetResizable(bool resizable) {
    resizable_ = resizable;
    const RECT r = Bounds();
    fixedWidth_ = r.right - r.left;
    fixedHeight_ = r.bottom - r.top;
    fixedLogicalWidth_ = LogicalWidth();
    fixedLogicalHeight_ = LogicalHeight();
}

void Form::OnDpiChanged() {
    // A fixed size is fixed at every DPI: it is the same window, scaled.
    if (resizable_ || fixedWidth_ == 0) return;
    const DpiScale scale = Scale();
    fixedWidth_ = scale(fixedLogicalWidth_);
    fixedHeight_ = scale(fixedLogicalHeight_);
}

void Form::Centre() {
    const RECT r = Bounds();
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    int areaWidth = GetSystemMetrics(SM_CXSCREEN);
    int areaHeight = GetSystemMetrics(SM_CYSCREEN);
    if (Parent()) {
        areaWidth = Parent()->Width();
        areaHeight = Parent()->Height();
    }
    SetPosition(FloorHalf(areaWidth - w), FloorHalf(areaHeight - h));
}

std::optional<LRESULT> Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETMINMAXINFO:
            if (!resizable_) {
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                info->ptMinTrackSize = {fixedWidth_, fixedHeight_};
                info->ptMaxTrackSize = {fixedWidth_, fixedHeight_};
                return 0;
            }
            break;
        case WM_NCHITTEST:
            if (!resizable_) {
                const LRESULT hit = CallDefault(message, wParam, lParam);
                return hit >= HTLEFT && hit <= HTBOTTOMRIGHT ? HTNOWHERE : hit;
            }
            break;
        case WM_INITMENU:
            if (!resizable_) EnableMenuItem(GetSystemMenu(HandleIfCreated(), FALSE), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE && IsMainForm()) {
                PostMessageW(App().Window().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
                return 0;
            }
            break;
        case WM_SHOWWINDOW:
            if (lParam == SW_PARENTCLOSING) {
                showAgain_ = IsIconic(HandleIfCreated())   ? SW_SHOWMINNOACTIVE
                             : IsZoomed(HandleIfCreated()) ? SW_SHOWMAXIMIZED
                                                           : SW_SHOWNOACTIVATE;
            } else if (lParam == SW_PARENTOPENING) {
                ShowWindow(HandleIfCreated(), showAgain_);
                return 0;
            }
            break;
        case WM_ERASEBKGND: {
            RECT r = ClientRect();
            FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
            return 1;
        }
        case WM_CLOSE:
            if (IsMainForm()) {
                App().Terminate();
            } else {
                ShowWindow(HandleIfCreated(), SW_HIDE);
            }
            return 0;
        default:
            break;
    }
    return Control::HandleMessage(message, wParam, lParam);
}

}  // namespace pellwise
