#include "window/control.h"

#include <commctrl.h>

#include <algorithm>

#include "services/win32_text.h"
#include "window/application.h"
#include "window/dpi.h"
#include "window/window_class.h"

namespace pellwise {

namespace {

constexpr WPARAM kShowFocusCues = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);  // 0x10002

Control* ControlOf(HWND window) {
    return window ? reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

}  // namespace

COLORREF ResolveColor(Color color) {
    return color & kSystemColor ? GetSysColor(static_cast<int>(color & 0xFF)) : static_cast<COLORREF>(color);
}

Control::Control(Application& app, Control* parent, std::string className, DWORD style, DWORD exStyle)
    : app_(app),
      parent_(parent),
      className_(std::move(className)),
      style_(style),
      exStyle_(exStyle),
      id_(app.NextControlId()),
      dpi_(app.StartDpi()) {
    if (parent_) font_ = parent_->font_;
}

Control::~Control() {
    // Children first, so each destroys its own window while it still exists.
    while (!children_.empty()) children_.pop_back();
    destroying_ = true;
    if (hwnd_) DestroyWindow(hwnd_);
}

void Control::DestroyWindowNow() {
    while (!children_.empty()) children_.pop_back();
    if (hwnd_) DestroyWindow(hwnd_);
}

HWND Control::Handle() {
    if (!hwnd_) CreateOwnWindow();
    return hwnd_;
}

HWND Control::OwnerWindow() { return nullptr; }

void Control::CreateOwnWindow() {
    HWND parentWindow = parent_ ? parent_->Handle() : OwnerWindow();
    if (hwnd_) return;  // making the parent made its children too
    baseProc_ = RegisterLayerClass(app_.Instance(), className_, ClassStyle());
    const std::wstring className = WidenFrom(LayerClassName(className_), kCodePage1251);
    const std::wstring caption = WidenFrom(caption_, kCodePage1251);
    const HMENU menu = parent_ ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)) : nullptr;
    const Box box = DeviceBox();
    CreateWindowExW(exStyle_, className.c_str(), caption.c_str(), style_, box.Left, box.Top, box.Width(), box.Height(),
                    parentWindow, menu, app_.Instance(), this);
    if (!hwnd_) return;
    // The window may have come up on a monitor whose DPI differs from the
    // one it was planned for; its children are made at the right one.
    if (!parent_ && WindowDpi(hwnd_) != dpi_) {
        dpi_ = WindowDpi(hwnd_);
        ApplyDpi();
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontObject()), FALSE);
    SendMessageW(hwnd_, WM_UPDATEUISTATE, kShowFocusCues, 0);
    if (!parent_) ApplyIcons();
    OnWindowCreated();
    for (auto& child : children_) child->Handle();
}

void Control::ApplyIcons() {
    // Each top-level window loads the icon at the sizes its DPI asks for,
    // from the largest image of the group that fits.
    if (!app_.Icon()) return;
    const int dpi = Dpi();
    const auto load = [this, dpi](int cx, int cy) {
        return static_cast<HICON>(LoadImageW(app_.Instance(), L"MAINICON", IMAGE_ICON, SystemMetricForDpi(cx, dpi),
                                             SystemMetricForDpi(cy, dpi), LR_DEFAULTCOLOR));
    };
    bigIcon_.Reset(load(SM_CXICON, SM_CYICON));
    smallIcon_.Reset(load(SM_CXSMICON, SM_CYSMICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

int Control::Dpi() const {
    const Control* c = this;
    while (c->parent_) c = c->parent_;
    return c->dpi_;
}

void Control::ChangeDpi(int dpi) {
    if (parent_ || dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    ApplyDpi();
    if (hwnd_) ApplyIcons();
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Control::ApplyDpi() {
    fontObject_.Reset();
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontObject()), FALSE);
    OnDpiChanged();
    if (autoSize_) {
        ApplyAutoSize();
    } else {
        ApplyBounds();
    }
    for (auto& child : children_) child->ApplyDpi();
}

void Control::RequestChildWindows() {
    if (!hwnd_ || childWindowsRequested_) return;
    childWindowsRequested_ = true;
    PostMessageW(hwnd_, kCreateChildWindows, 0, 0);
}

LRESULT CALLBACK Control::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = ControlOf(window);
    if (!control && message == WM_NCCREATE) {
        control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        control->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    // Top-level windows get WM_GETMINMAXINFO before WM_NCCREATE.
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    return control->Dispatch(message, wParam, lParam);
}

LRESULT Control::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!destroying_) {
        // A snapshot: a hook may attach another hook while it runs.
        const std::vector<std::shared_ptr<Hook>> hooks = hooks_;
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
            if (app_.Terminated() && !(*it)->RunWhileTerminating) continue;
            auto result = (*it)->Run(*this, message, wParam, lParam);
            // The window's last message always reaches the default procedure.
            if (result && message == WM_NCDESTROY) break;
            if (result) return *result;
        }
        auto result = HandleMessage(message, wParam, lParam);
        if (result && message != WM_NCDESTROY) return *result;
    }
    if (auto result = CommonHandling(message, wParam, lParam)) return *result;
    return CallDefault(message, wParam, lParam);
}

LRESULT Control::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    const LRESULT result = baseProc_ ? CallWindowProcW(baseProc_, window, message, wParam, lParam)
                                     : DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
    }
    return result;
}

std::optional<LRESULT> Control::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == kReflectedCommand && (HIWORD(wParam) == STN_CLICKED || HIWORD(wParam) == BN_CLICKED)) {
        Click();
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> Control::CommonHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            showState_ = wParam == SIZE_MINIMIZED   ? WindowState::Minimized
                         : wParam == SIZE_MAXIMIZED ? WindowState::Maximized
                                                    : WindowState::Normal;
            return std::nullopt;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (Control* child = ControlOf(reinterpret_cast<HWND>(lParam)); child && child != this)
                return reinterpret_cast<LRESULT>(child->ColorMessage(reinterpret_cast<HDC>(wParam)));
            return std::nullopt;
        case WM_NOTIFY:
            if (Control* child = ControlOf(reinterpret_cast<NMHDR*>(lParam)->hwndFrom); child && child != this)
                return child->Dispatch(kReflectedNotify, wParam, lParam);
            return std::nullopt;
        case WM_COMMAND:
            if (Control* child = ControlOf(reinterpret_cast<HWND>(lParam)); child && child != this)
                return child->Dispatch(kReflectedCommand, wParam, lParam);
            return std::nullopt;
        case WM_DPICHANGED:
            // The suggested place keeps the window where the system put it;
            // the size is this window's own at the new DPI.
            if (parent_) return std::nullopt;
            x_ = reinterpret_cast<const RECT*>(lParam)->left;
            y_ = reinterpret_cast<const RECT*>(lParam)->top;
            ChangeDpi(LOWORD(wParam));
            return 0;
        case kCreateChildWindows:
            childWindowsRequested_ = false;
            for (auto& child : children_) child->Handle();
            return 0;
        case kReflectedNotify:
        case kReflectedCommand:
            return 0;  // nobody asked for it
        default:
            return std::nullopt;
    }
}

HBRUSH Control::ColorMessage(HDC dc) {
    SetTextColor(dc, ResolveColor(font_.TextColor));
    if (transparent_) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, ResolveColor(color_));
    return BackgroundBrush();
}

HBRUSH Control::BackgroundBrush() {
    if (!brush_) brush_.Reset(CreateSolidBrush(ResolveColor(color_)));
    return brush_.Get();
}

void Control::AttachHook(MessageHook hook, bool runWhileTerminating) {
    hooks_.push_back(std::make_shared<Hook>(Hook{std::move(hook), runWhileTerminating}));
}

void Control::SetPaintHandler(PaintHandler handler) {
    onPaint_ = std::move(handler);
    if (paintHook_) return;
    paintHook_ = true;
    AttachHook([](Control& c, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT || !c.onPaint_) return std::nullopt;
        PaintScope paint(c.hwnd_, wParam);
        c.onPaint_(c, paint.Get());
        return 0;
    });
}

void Control::SetClickHandler(ControlHandler handler) { onClick_ = std::move(handler); }

void Control::Click() {
    if (onClick_) onClick_(*this);
}

void Control::SetMouseEnterHandler(ControlHandler handler) {
    onMouseEnter_ = std::move(handler);
    EnsureTrackingHook();
}

void Control::SetMouseLeaveHandler(ControlHandler handler) {
    onMouseLeave_ = std::move(handler);
    EnsureTrackingHook();
}

void Control::SetInsideTest(InsideTest test) { insideTest_ = std::move(test); }

void Control::EnsureTrackingHook() {
    if (trackingHook_) return;
    trackingHook_ = true;
    AttachHook([](Control& c, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message >= WM_MOUSEMOVE && message <= WM_MOUSEMOVE + 10) {
            c.UpdateMouseInside();
        } else if (message == WM_MOUSELEAVE && c.mouseInside_) {
            c.mouseInside_ = false;
            if (c.onMouseLeave_) c.onMouseLeave_(c);
            c.Invalidate();
        }
        return std::nullopt;
    });
}

void Control::UpdateMouseInside() {
    bool inside = false;
    if (insideTest_) {
        inside = insideTest_(*this);
    } else {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        const RECT client = ClientRect();
        inside = PtInRect(&client, p) != FALSE;
    }
    if (inside == mouseInside_) return;
    Invalidate();
    mouseInside_ = inside;
    if (inside) {
        if (onMouseEnter_) onMouseEnter_(*this);
        RequestLeaveNotice(TME_LEAVE);
    } else {
        RequestLeaveNotice(TME_LEAVE | TME_CANCEL);
        if (onMouseLeave_) onMouseLeave_(*this);
    }
    Invalidate();
}

void Control::RequestLeaveNotice(DWORD flags) {
    // Looked up at each use: older systems lack it, and then no leave notice comes.
    using TrackFn = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    FARPROC proc = comctl ? GetProcAddress(comctl, "_TrackMouseEvent") : nullptr;
    if (!proc || !hwnd_) return;
    TRACKMOUSEEVENT track = {sizeof(track), flags, hwnd_, HOVER_DEFAULT};
    reinterpret_cast<TrackFn>(reinterpret_cast<void (*)()>(proc))(&track);
}

void Control::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Control::SendToControl(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(Handle(), message, wParam, lParam);
}

Control& Control::TopLevel() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return *c;
}

void Control::FocusControl() {
    TopLevel().currentControl_ = this;
    SetFocus(Handle());
}

void Control::PostClose() {
    if (hwnd_) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Control::SetWindowState(WindowState state) {
    if (showState_ == state) return;
    showState_ = state;
    static constexpr int kShow[] = {SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kShow[static_cast<int>(state)]);
}

void Control::SetPosition(int x, int y) {
    x_ = x;
    y_ = y;
    ApplyBounds();
}

void Control::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
    ApplyBounds();
}

void Control::SetClientSize(int width, int height) {
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, style_, FALSE, exStyle_);
    SetSize(r.right - r.left, r.bottom - r.top);
}

Box Control::DeviceBox() const {
    const DpiScale scale = Scale();
    Box box = parent_ ? scale.Place(x_, y_, width_, height_) : Box{x_, y_, x_ + scale(width_), y_ + scale(height_)};
    if (autoSize_) box = {box.Left, box.Top, box.Left + autoSized_.cx, box.Top + autoSized_.cy};
    return box;
}

void Control::ApplyBounds() {
    if (!hwnd_) return;
    const Box box = DeviceBox();
    SetWindowPos(hwnd_, nullptr, box.Left, box.Top, box.Width(), box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::Bounds() const {
    if (!hwnd_) {
        const Box box = DeviceBox();
        return {box.Left, box.Top, box.Right, box.Bottom};
    }
    RECT r;
    GetWindowRect(hwnd_, &r);
    if (parent_ && parent_->hwnd_) MapWindowPoints(HWND_DESKTOP, parent_->hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Control::ClientRect() const {
    const Box box = DeviceBox();
    RECT r = {0, 0, box.Width(), box.Height()};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r;
}

int Control::Width() const { return ClientRect().right; }
int Control::Height() const { return ClientRect().bottom; }

void Control::SetVisible(bool visible) {
    SetStyleBits(visible ? WS_VISIBLE : 0, visible ? 0 : WS_VISIBLE);
    if (visible && !hwnd_ && (!parent_ || parent_->hwnd_)) Handle();
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool Control::IsVisible() const { return hwnd_ ? IsWindowVisible(hwnd_) != FALSE : (style_ & WS_VISIBLE) != 0; }

void Control::SetEnabled(bool enabled) {
    SetStyleBits(enabled ? 0 : WS_DISABLED, enabled ? WS_DISABLED : 0);
    if (hwnd_) EnableWindow(hwnd_, enabled);
    Invalidate();
}

bool Control::IsEnabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : (style_ & WS_DISABLED) == 0; }

void Control::SetStyleBits(DWORD add, DWORD remove) {
    style_ = (style_ & ~remove) | add;
    // Visibility and enabling go through ShowWindow and EnableWindow.
    if (hwnd_ && ((add | remove) & ~(WS_VISIBLE | WS_DISABLED))) {
        const DWORD live = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
        SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>((live & ~remove) | add));
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Control::SetExStyleBits(DWORD add, DWORD remove) {
    exStyle_ = (exStyle_ & ~remove) | add;
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle_));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (hwnd_) SetWindowTextW(hwnd_, WidenFrom(caption_, kCodePage1251).c_str());
    ApplyAutoSize();
    Invalidate();
}

void Control::SetColor(Color color) {
    color_ = color;
    brush_.Reset();
    if (colorMessage_ && hwnd_) SendMessageW(hwnd_, colorMessage_, 0, static_cast<LPARAM>(ResolveColor(color_)));
    Invalidate();
}

HFONT Control::FontObject() {
    if (!fontObject_) {
        fontObject_.Reset(CreateFontW(Scale()(font_.Height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      WidenFrom(font_.Face, kCodePage1251).c_str()));
    }
    return fontObject_.Get();
}

void Control::SetFontName(std::string face) {
    font_.Face = std::move(face);
    fontObject_.Reset();
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontObject()), TRUE);
    ApplyAutoSize();
}

void Control::SetFontHeight(int height) {
    font_.Height = height;
    fontObject_.Reset();
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontObject()), TRUE);
    ApplyAutoSize();
}

void Control::SetFontColor(Color color) {
    font_.TextColor = color;
    Invalidate();
}

void Control::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void Control::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    ApplyAutoSize();
}

void Control::SetAutoSizeAllowance(int width, int height) {
    autoWidth_ = width;
    autoHeight_ = height;
    ApplyAutoSize();
}

void Control::ApplyAutoSize() {
    if (!autoSize_) return;
    const SIZE size = MeasureText(*this, caption_);
    const DpiScale scale = Scale();
    autoSized_ = {size.cx + scale(autoWidth_), size.cy + scale(autoHeight_)};
    ApplyBounds();
}

SIZE MeasureText(Control& control, const std::string& text) {
    WindowDc screen(nullptr);
    SelectScope font(screen.Get(), control.FontObject());
    const std::wstring wide = WidenFrom(text, kCodePage1251);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

}  // namespace pellwise
