#pragma once

// The GDI side of the gradient controls (Windows only).

#include <windows.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>

#include "gradient/gradient_model.h"
#include "window/application.h"
#include "window/control.h"
#include "window/handles.h"

namespace pellwise {

inline constexpr UINT_PTR kAnimationTimerId = 8;
inline constexpr UINT kAnimationInterval = 40;
inline constexpr DWORD kGradientButtonStyle = 0x50010000;  // WS_CHILD, WS_VISIBLE, WS_TABSTOP
inline constexpr DWORD kGradientPanelStyle = 0x50000000;   // WS_CHILD, WS_VISIBLE

// A cached look or blend bitmap. Bits is set for 32-bit DIB sections only.
struct CachedBitmap {
    BitmapHandle Bitmap;
    std::uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
};

// An owner-drawn button or panel: renders each look once into a cached
// bitmap and cross-fades between them.
class GradientControl : public Control {
public:
    using LayoutHandler = std::function<void(GradientControl&, std::array<Rect, kLookCount>&, Rect&)>;

    GradientControl(Control& parent, ControlKind kind, DWORD style);
    ~GradientControl() override;

    GradientModel& Model() { return model_; }
    const CachedBitmap& Cached(int slot) const { return bitmaps_[slot]; }
    void SetLayoutHandler(LayoutHandler handler) { onLayoutRects_ = std::move(handler); }

    void RenderLook(LookState state, bool dibWanted);
    void RenderStale(std::initializer_list<LookState> looks, bool dibWanted);
    void ComposeBlend();
    void Paint(HDC dc);

    // The input handlers of the state machine.
    void HandleMouseEnter();
    void HandleMouseLeave();
    void HandlePress();
    void HandleRelease();
    // The control's own message hook, which sees every message first.
    std::optional<LRESULT> OwnHook(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void OnDpiChanged() override;

private:
    std::optional<LRESULT> MouseButtonHook(UINT message);
    void Layout();
    void StartAnimation();
    void AnimationStep();
    void FreeBitmap(int slot);
    void DrawCached(HDC dc, int slot);
    void DrawCaption(HDC dc, const StateLook& look);

    GradientModel model_;
    std::array<CachedBitmap, kBitmapSlots> bitmaps_;
    LayoutHandler onLayoutRects_;
};

GradientControl& CreateGradientButton(Control& parent, std::string caption);
GradientControl& CreateGradientPanel(Control& parent);

// Steps of RenderLook, usable on their own. systemFill is nullptr for the
// program's own fill.
void FillGradient(const StateLook& look, HDC dc, const Rect& r, GradientFillFn systemFill);
void RoundCorners(const StateLook& look, HDC dc, const Rect& r, int rx, int ry);

}  // namespace pellwise
