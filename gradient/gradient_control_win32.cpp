#include "gradient/gradient_control.h"

namespace pellwise {

namespace {

constexpr const char* kTypeProperty = "RADEV_TYPE";

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

GradientControl::GradientControl(Control& parent, ControlKind kind, DWORD style)
    : Control(parent.App(), &parent, kind == ControlKind::Button ? "RADEV_BUTTON" : "RADEV_PANEL", style),
      model_(MakeGradientModel(kind)) {}

GradientControl::~GradientControl() { DestroyWindowNow(); }

void GradientControl::HandleMouseEnter() {
    if (MouseEnter(model_.Input)) StartAnimation();
}

void GradientControl::HandleMouseLeave() {
    if (MouseLeave(model_.Input)) StartAnimation();
}

void GradientControl::HandlePress() {
    Press(model_.Input);
    StartAnimation();
}

void GradientControl::HandleRelease() {
    if (!Release(model_.Input)) return;
    StartAnimation();
    Click();
}

void GradientControl::StartAnimation() {
    HWND window = Handle();
    KillTimer(window, kAnimationTimerId);
    SetTimer(window, kAnimationTimerId, kAnimationInterval, nullptr);
    SendMessageW(window, WM_TIMER, kAnimationTimerId, 0);
}

void GradientControl::AnimationStep() {
    if (AdvanceBlend(model_.Input, model_.AnimationSpeed)) KillTimer(HandleIfCreated(), kAnimationTimerId);
    ComposeBlend();
    Invalidate();
}

void GradientControl::OnDpiChanged() {
    // Every look is drawn anew at the new size, font and line widths.
    FreeBitmap(kBlendSlot);
    MarkLooksStale(model_);
}

void GradientControl::Layout() {
    FreeBitmap(kBlendSlot);
    MarkLooksStale(model_);
    ResetLayout(model_, ToRect(ClientRect()));
    if (onLayoutRects_) onLayoutRects_(*this, model_.LookRects, model_.BlendRect);
    Invalidate();
}

std::optional<LRESULT> GradientControl::MouseButtonHook(UINT message) {
    InputState& in = model_.Input;
    switch (message) {
        case WM_LBUTTONDOWN:
            if (in.Source != PressSource::None && in.Focused) break;
            FocusControl();
            in.Source = PressSource::Mouse;
            HandlePress();
            break;
        case WM_LBUTTONUP:
            if (in.Source != PressSource::Mouse) break;
            HandleRelease();
            in.Source = PressSource::None;
            break;
        case WM_RBUTTONDOWN:
            if (in.Focused) break;
            FocusControl();
            Invalidate();
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::optional<LRESULT> GradientControl::OwnHook(UINT message, WPARAM wParam, LPARAM) {
    InputState& in = model_.Input;
    if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK)
        return model_.Interactive ? MouseButtonHook(message) : std::nullopt;
    switch (message) {
        case WM_CREATE:
            SetPropA(HandleIfCreated(), kTypeProperty,
                     reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(static_cast<std::uint8_t>(model_.Kind))));
            break;
        case WM_NCDESTROY:
            RemovePropA(HandleIfCreated(), kTypeProperty);
            break;
        case WM_SIZE:
            Layout();
            break;
        case WM_SETTEXT:
            MarkLooksStale(model_);
            break;
        case WM_THEMECHANGED:
            MarkLooksStale(model_);
            Invalidate();
            break;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && in.Source == PressSource::None) {
                in.Source = PressSource::SpaceBar;
                HandlePress();
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE && in.Source == PressSource::SpaceBar) {
                HandleRelease();
                in.Source = PressSource::None;
            }
            break;
        case WM_SETFOCUS:
            in.Focused = true;
            Invalidate();
            break;
        case WM_KILLFOCUS:
            if (in.Source == PressSource::SpaceBar) {
                // Cancels the press without a click and fades to Default.
                in.Source = PressSource::Mouse;
                HandleMouseLeave();
                in.Source = PressSource::None;
            }
            in.Focused = false;
            Invalidate();
            break;
        case WM_TIMER:
            if (wParam != kAnimationTimerId) break;
            AnimationStep();
            return 0;
        case WM_SHOWWINDOW:
            RenderStale({IsEnabled() ? LookState::Default : LookState::Disabled}, model_.Interactive);
            break;
        default:
            break;
    }
    return std::nullopt;
}

namespace {

GradientControl& Finish(Control& parent, std::unique_ptr<GradientControl> control) {
    GradientControl& c = parent.Adopt(std::move(control));
    // Mouse tracking first, painting next, the control's own hook last, so
    // the own hook sees every message first.
    if (c.Model().Interactive) {
        c.SetMouseEnterHandler([](Control& self) { static_cast<GradientControl&>(self).HandleMouseEnter(); });
        c.SetMouseLeaveHandler([](Control& self) { static_cast<GradientControl&>(self).HandleMouseLeave(); });
    }
    c.SetPaintHandler([](Control& self, HDC dc) { static_cast<GradientControl&>(self).Paint(dc); });
    c.AttachHook([](Control& self, UINT message, WPARAM wParam, LPARAM lParam) {
        return static_cast<GradientControl&>(self).OwnHook(message, wParam, lParam);
    });
    return c;
}

}  // namespace

GradientControl& CreateGradientButton(Control& parent, std::string caption) {
    auto button = std::make_unique<GradientControl>(parent, ControlKind::Button, kGradientButtonStyle);
    button->SetCaption(std::move(caption));
    button->SetAutoSizeAllowance(12, 11);
    GradientControl& b = Finish(parent, std::move(button));
    b.SetLayoutHandler([](GradientControl& self, std::array<Rect, kLookCount>&, Rect& blend) {
        const int inset = self.Scale()(3);
        blend = Inflate(blend, -inset, -inset);
    });
    b.SendToControl(WM_SIZE, 0, 0);
    return b;
}

GradientControl& CreateGradientPanel(Control& parent) {
    GradientControl& p =
        Finish(parent, std::make_unique<GradientControl>(parent, ControlKind::Panel, kGradientPanelStyle));
    SetTextVAlign(p.Model(), 1);
    return p;
}

}  // namespace pellwise
