#include "gradient/gradient_control.h"
#include "gradient/paint_model.h"
#include "gradient/pixel_ops.h"
#include "services/win32_text.h"

namespace pellwise {

namespace {

constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;  // 0xA410
constexpr UINT kDrawFlags = DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS;                   // 0xA010

RECT ToRECT(const Rect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void FillSolid(HDC dc, const Rect& r, COLORREF color) {
    BrushHandle brush(CreateSolidBrush(color));
    const RECT box = ToRECT(r);
    FillRect(dc, &box, brush.Get());
}

// Rectangle with pen and brush of one colour covers exactly [x1, x2) x [y1, y2).
void PaintBoxes(HDC dc, COLORREF color, std::initializer_list<Rect> boxes) {
    PenHandle pen(CreatePen(PS_SOLID, 1, color));
    BrushHandle brush(CreateSolidBrush(color));
    SelectScope usePen(dc, pen.Get());
    SelectScope useBrush(dc, brush.Get());
    for (const Rect& b : boxes)
        if (!b.IsEmpty()) Rectangle(dc, b.Left, b.Top, b.Right, b.Bottom);
}

TRIVERTEX Vertex(int x, int y, COLORREF c) {
    return {x,
            y,
            static_cast<COLOR16>(GetRValue(c) << 8),
            static_cast<COLOR16>(GetGValue(c) << 8),
            static_cast<COLOR16>(GetBValue(c) << 8),
            0};
}

void SystemTileFill(HDC tile, std::uint8_t style, const GradientTile& t, COLORREF c1, COLORREF c2,
                    GradientFillFn fill) {
    const auto s = static_cast<GradientStyle>(style);
    const TRIVERTEX a = Vertex(0, 0, c1);
    const TRIVERTEX b = Vertex(t.PartWidth, t.PartHeight, c2);
    const TRIVERTEX c = s == GradientStyle::DoubleVertical ? Vertex(0, t.Height, c1) : Vertex(t.Width, 0, c1);
    const ULONG mode = t.BandsMoveDown ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
    GRADIENT_RECT rect = {0, 1};
    if (t.Mirrored) {
        TRIVERTEX mirrored[2] = {b, c};
        fill(tile, mirrored, 2, &rect, 1, mode);
    }
    TRIVERTEX first[2] = {a, b};
    fill(tile, first, 2, &rect, 1, mode);
}

void OwnTileFill(HDC tile, const GradientTile& t, COLORREF c1, COLORREF c2) {
    for (int i = 0; i <= t.Steps; ++i) {
        const COLORREF color = BandColor(c1, c2, i, t.Steps);
        if (t.BandsMoveDown) {
            FillSolid(tile, {0, i, t.Width, i + 1}, color);
            if (t.Mirrored) FillSolid(tile, {0, t.Height - 1 - i, 32, t.Height - i}, color);
        } else {
            FillSolid(tile, {i, 0, i + 1, t.Height}, color);
            if (t.Mirrored) FillSolid(tile, {t.Width - 1 - i, 0, t.Width - i, 32}, color);
        }
    }
}

}  // namespace

void FillGradient(const StateLook& look, HDC dc, const Rect& r, GradientFillFn systemFill) {
    GradientTile tile;
    if (!PlanGradientTile(look.GradientStyle, r.Width(), r.Height(), tile)) return;
    const COLORREF c1 = ResolveColor(look.GradientFrom);
    const COLORREF c2 = ResolveColor(look.GradientTo);
    WindowDc screen(nullptr);
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), tile.Width, tile.Height));
    MemoryDc tileDc(screen.Get());
    SelectScope select(tileDc.Get(), bitmap.Get());
    if (systemFill) {
        SystemTileFill(tileDc.Get(), look.GradientStyle, tile, c1, c2, systemFill);
    } else {
        OwnTileFill(tileDc.Get(), tile, c1, c2);
    }
    for (const Rect& copy : TileCopies(look.GradientStyle, r, tile))
        BitBlt(dc, copy.Left, copy.Top, tile.Width, tile.Height, tileDc.Get(), 0, 0, SRCCOPY);
}

void RoundCorners(const StateLook& look, HDC dc, const Rect& r, int rx, int ry) {
    const int cw = 2 * rx;
    const int ch = 2 * ry;
    DibSection scratch = CreateDib32(2 * cw, 2 * ch);
    DibSection reduced = CreateDib32(2 * rx, 2 * ry);
    if (!scratch.Bits || !reduced.Bits) return;
    {
        MemoryDc sdc(dc);
        SelectScope select(sdc.Get(), scratch.Bitmap.Get());
        StretchBlt(sdc.Get(), 0, 0, cw, ch, dc, r.Left, r.Top, rx, ry, SRCCOPY);
        StretchBlt(sdc.Get(), cw, 0, cw, ch, dc, r.Right - rx, r.Top, rx, ry, SRCCOPY);
        StretchBlt(sdc.Get(), 0, ch, cw, ch, dc, r.Left, r.Bottom - ry, rx, ry, SRCCOPY);
        StretchBlt(sdc.Get(), cw, ch, cw, ch, dc, r.Right - rx, r.Bottom - ry, rx, ry, SRCCOPY);

        // Everything outside the ellipse takes the outer colour.
        RegionHandle ellipse(CreateEllipticRgn(0, 0, 2 * cw + 1, 2 * ch + 1));
        RegionHandle outside(CreateRectRgn(0, 0, 2 * cw, 2 * ch));
        CombineRgn(outside.Get(), ellipse.Get(), outside.Get(), RGN_XOR);
        BrushHandle outer(CreateSolidBrush(ResolveColor(look.OuterColor)));
        FillRgn(sdc.Get(), outside.Get(), outer.Get());

        if (look.BorderWidth > 0) {
            const LOGBRUSH brush = {BS_SOLID, ResolveColor(look.BorderColor), 0};
            PenHandle pen(ExtCreatePen(PS_GEOMETRIC | PS_INSIDEFRAME | PS_SOLID,
                                       static_cast<DWORD>(2 * look.BorderWidth), &brush, 0, nullptr));
            SelectScope usePen(sdc.Get(), pen.Get());
            SelectScope noFill(sdc.Get(), GetStockObject(NULL_BRUSH));
            Ellipse(sdc.Get(), -1, -1, 2 * cw, 2 * ch);
        }
        GdiFlush();
    }
    Reduce2x2(scratch.Bits, 2 * cw, 2 * ch, reduced.Bits);
    MemoryDc rdc(dc);
    SelectScope select(rdc.Get(), reduced.Bitmap.Get());
    BitBlt(dc, r.Left, r.Top, rx, ry, rdc.Get(), 0, 0, SRCCOPY);
    BitBlt(dc, r.Right - rx, r.Top, rx, ry, rdc.Get(), rx, 0, SRCCOPY);
    BitBlt(dc, r.Left, r.Bottom - ry, rx, ry, rdc.Get(), 0, ry, SRCCOPY);
    BitBlt(dc, r.Right - rx, r.Bottom - ry, rx, ry, rdc.Get(), rx, ry, SRCCOPY);
}

void GradientControl::RenderLook(LookState state, bool dibWanted) {
    const int slot = static_cast<int>(state);
    const int w = Width();
    const int h = Height();
    if (w < 1 || h < 1) return;
    CachedBitmap& target = bitmaps_[slot];
    target = {};
    if (App().WindowsVersionClass() <= 4 || dibWanted) {
        DibSection dib = CreateDib32(w, h);
        target.Bitmap = std::move(dib.Bitmap);
        target.Bits = dib.Bits;
    } else {
        WindowDc screen(nullptr);
        target.Bitmap.Reset(CreateCompatibleBitmap(screen.Get(), w, h));
    }
    if (!target.Bitmap) return;
    target.Width = w;
    target.Height = h;

    const StateLook look = ScaledLook(LookOf(model_, state), Scale());
    const Rect r = model_.LookRects[slot];
    MemoryDc dc(nullptr);
    SelectScope select(dc.Get(), target.Bitmap.Get());
    const int rx = CornerRadius(look.CornerWidth, r.Width());
    const int ry = CornerRadius(look.CornerHeight, r.Height());
    if (IsSolidBody(look)) {
        FillSolid(dc.Get(), r, ResolveColor(look.GradientFrom));
    } else {
        FillGradient(look, dc.Get(), r, App().SystemGradientFill());
    }
    const int bw = look.BorderWidth;
    if (bw > 0) {
        PaintBoxes(dc.Get(), ResolveColor(look.BorderColor),
                   {{r.Left + rx, r.Top, r.Right - rx, r.Top + bw},
                    {r.Left + rx, r.Bottom - bw, r.Right - rx, r.Bottom},
                    {r.Left, r.Top + ry, r.Left + bw, r.Bottom - ry},
                    {r.Right - bw, r.Top + ry, r.Right, r.Bottom - ry}});
    }
    PaintBoxes(dc.Get(), ResolveColor(look.OuterColor),
               {{0, 0, r.Left, r.Bottom}, {r.Left, 0, w, r.Top}, {r.Right, r.Top, w, h}, {0, r.Bottom, r.Right, h}});
    if (rx >= 1 && ry >= 1 && r.Width() >= 1 && r.Height() >= 1) RoundCorners(look, dc.Get(), r, rx, ry);
    DrawCaption(dc.Get(), look);
    GdiFlush();
}

void GradientControl::DrawCaption(HDC dc, const StateLook& look) {
    const DpiScale scale = Scale();
    const Rect area = CaptionArea(ToRect(ClientRect()), ScaledMargins(model_.ContentMargins, scale),
                                  ScaledLooks(model_.Looks, scale));
    if (Caption().empty() || area.Width() <= 2 || area.Height() <= 2) return;
    const std::wstring text = WidenFrom(Caption(), kCodePage1251);
    SetBkMode(dc, TRANSPARENT);
    SelectScope font(dc, FontObject());
    RECT measured = ToRECT(area);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, kMeasureFlags);
    SIZE line = {0, 0};
    GetTextExtentPoint32W(dc, L"_", 1, &line);
    RECT t = ToRECT(FitCaption(ToRect(measured), area, line.cy, model_.TextHAlign, model_.TextVAlign));
    const UINT flags = kDrawFlags | (model_.TextHAlign == 1 ? DT_CENTER : model_.TextHAlign == 2 ? DT_RIGHT : DT_LEFT);
    SetTextColor(dc, ResolveColor(look.ShadowColor));
    OffsetRect(&t, look.ShadowOffset, look.ShadowOffset);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, flags);
    SetTextColor(dc, ResolveColor(look.TextColor));
    OffsetRect(&t, -look.ShadowOffset, -look.ShadowOffset);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, flags);
}

void GradientControl::RenderStale(std::initializer_list<LookState> looks, bool dibWanted) {
    for (LookState s : looks) {
        const int slot = static_cast<int>(s);
        if (!model_.Stale[slot]) continue;
        RenderLook(s, s == LookState::Disabled ? false : dibWanted);
        model_.Stale[slot] = false;
    }
}

void GradientControl::FreeBitmap(int slot) {
    bitmaps_[slot] = {};
    model_.Stale[slot] = true;
}

void GradientControl::DrawCached(HDC dc, int slot) {
    const CachedBitmap& b = bitmaps_[slot];
    if (!b.Bitmap) return;
    MemoryDc source(dc);
    SelectScope select(source.Get(), b.Bitmap.Get());
    BitBlt(dc, 0, 0, b.Width, b.Height, source.Get(), 0, 0, SRCCOPY);
}

void GradientControl::Paint(HDC dc) {
    constexpr int kDefault = static_cast<int>(LookState::Default);
    constexpr int kDisabled = static_cast<int>(LookState::Disabled);
    if (!IsEnabled()) {
        FreeBitmap(static_cast<int>(LookState::Over));
        FreeBitmap(static_cast<int>(LookState::Down));
        FreeBitmap(kBlendSlot);
        FreeBitmap(kDefault);
        RenderStale({LookState::Disabled}, false);
        DrawCached(dc, kDisabled);
    } else if (model_.Stale[kBlendSlot]) {
        FreeBitmap(kDisabled);
        RenderStale({LookState::Default}, model_.Interactive);
        DrawCached(dc, kDefault);
    } else {
        DrawCached(dc, kBlendSlot);
    }
    if (model_.Input.Focused && model_.DrawFocusRect) {
        const DpiScale scale = Scale();
        const Rect inside = AddMargins(ToRect(ClientRect()), ScaledMargins(model_.ContentMargins, scale));
        const RECT frame = ToRECT(Inflate(inside, scale(1), scale(1)));
        DrawFocusRect(dc, &frame);
    }
}

void GradientControl::ComposeBlend() {
    if (!IsVisible()) return;
    const TransitionLooks looks = LooksOf(model_.Input.Current);
    const auto from = static_cast<LookState>(looks.From);
    const auto to = static_cast<LookState>(looks.To);
    RenderStale({from, to}, true);
    // A look painted earlier as a screen bitmap (a panel's) has no pixels to mix.
    for (const LookState s : {from, to})
        if (!bitmaps_[static_cast<int>(s)].Bits) RenderLook(s, true);
    const CachedBitmap& target = bitmaps_[looks.To];
    CachedBitmap& blend = bitmaps_[kBlendSlot];
    if (target.Width >= 1 && target.Height >= 1) {
        if (!blend.Bitmap) {
            DibSection dib = CreateDib32(target.Width, target.Height);
            blend.Bitmap = std::move(dib.Bitmap);
            blend.Bits = dib.Bits;
            blend.Width = dib.Width;
            blend.Height = dib.Height;
        }
        const Rect& area = model_.BlendRect;
        const bool partial = area.Left > 0 || area.Top > 0 || area.Right < Width() || area.Bottom < Height();
        if (!area.IsEmpty() && partial && blend.Bitmap) {
            RenderStale({LookState::Default}, true);
            const CachedBitmap& normal = bitmaps_[static_cast<int>(LookState::Default)];
            MemoryDc dst(nullptr);
            SelectScope selectDst(dst.Get(), blend.Bitmap.Get());
            MemoryDc src(nullptr);
            SelectScope selectSrc(src.Get(), normal.Bitmap.Get());
            BitBlt(dst.Get(), 0, 0, normal.Width, normal.Height, src.Get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        const CachedBitmap& source = bitmaps_[looks.From];
        BlendRect({source.Bits, source.Width, source.Height}, {target.Bits, target.Width, target.Height},
                  {blend.Bits, blend.Width, blend.Height}, area, model_.Input.BlendProgress);
    }
    model_.Stale[kBlendSlot] = false;
    if (EndsAtDefault(model_.Input.Current) && model_.Input.BlendProgress >= kFullBlend) {
        FreeBitmap(static_cast<int>(LookState::Over));
        FreeBitmap(static_cast<int>(LookState::Down));
        FreeBitmap(kBlendSlot);
    }
}

}  // namespace pellwise
