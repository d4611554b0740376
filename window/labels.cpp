#include "window/labels.h"

#include <cstdlib>

#include "services/win32_text.h"

namespace pellwise {

namespace {

constexpr DWORD kPlainLabelStyle = 0x5000018C;  // WS_CHILD, WS_VISIBLE, SS_NOTIFY, SS_NOPREFIX, SS_LEFTNOWORDWRAP
constexpr DWORD kPaintBoxStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY;

}  // namespace

ShadowLabel::ShadowLabel(Control& parent, std::string caption, int depth)
    : Control(parent.App(), &parent, "STATIC", kPlainLabelStyle), depth_(depth) {
    SetFontColor(kClWindowText);
    SetCaption(std::move(caption));
    SetAutoSizeAllowance(std::abs(depth_), std::abs(depth_));
    AttachHook([this](Control&, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_SETTEXT) return 1;  // the caption lives in the control
        if (message != WM_PAINT && message != WM_PRINTCLIENT) return std::nullopt;
        PaintScope paint(HandleIfCreated(), wParam);
        Paint(paint.Get());
        return 0;
    });
}

ShadowLabel::~ShadowLabel() { DestroyWindowNow(); }

void ShadowLabel::SetTextAlign(std::uint8_t align) {
    hAlign_ = align;
    Invalidate();
}

void ShadowLabel::SetVerticalAlign(std::uint8_t align) {
    vAlign_ = align;
    Invalidate();
}

void ShadowLabel::SetShadowColor(Color color) {
    shadowColor_ = color;
    autoShadow_ = false;
    Invalidate();
}

COLORREF ShadowLabel::EffectiveShadowColor() const {
    return autoShadow_ ? AutoShadowColor(ResolveColor(Font().TextColor)) : ResolveColor(shadowColor_);
}

void ShadowLabel::Paint(HDC dc) {
    RECT client = ClientRect();
    if (!IsTransparent()) FillRect(dc, &client, BackgroundBrush());
    const std::wstring text = WidenFrom(Caption(), kCodePage1251);
    SelectScope font(dc, FontObject());
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const int depth = Scale()(depth_);
    const int blockWidth = extent.cx + std::abs(depth);
    const int blockHeight = extent.cy + std::abs(depth);
    const int x = hAlign_ == 0 ? 0 : hAlign_ == 1 ? client.right - blockWidth : (client.right - blockWidth) / 2;
    const int y = vAlign_ == 1 ? 0 : vAlign_ == 2 ? client.bottom - blockHeight : (client.bottom - blockHeight) / 2;
    SetBkMode(dc, TRANSPARENT);
    const UINT count = static_cast<UINT>(text.size());
    if (depth != 0) {
        SetTextColor(dc, EffectiveShadowColor());
        ExtTextOutW(dc, x + depth, y + depth, ETO_CLIPPED, &client, text.c_str(), count, nullptr);
    }
    SetTextColor(dc, ResolveColor(Font().TextColor));
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &client, text.c_str(), count, nullptr);
}

Control& CreatePlainLabel(Control& parent, std::string caption) {
    auto label = std::make_unique<Control>(parent.App(), &parent, "STATIC", kPlainLabelStyle);
    label->SetSize(100, 22);
    label->SetCaption(std::move(caption));
    return parent.Adopt(std::move(label));
}

ShadowLabel& CreateShadowLabel(Control& parent, std::string caption, int depth) {
    return parent.Adopt(std::make_unique<ShadowLabel>(parent, std::move(caption), depth));
}

Control& CreatePaintBox(Control& parent) {
    return parent.Adopt(std::make_unique<Control>(parent.App(), &parent, "STATIC", kPaintBoxStyle));
}

}  // namespace pellwise
