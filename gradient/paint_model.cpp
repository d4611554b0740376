#include "gradient/paint_model.h"

#include <algorithm>

namespace pellwise {

int CornerRadius(std::int32_t corner, int side) {
    if (2LL * corner > side) return static_cast<int>((static_cast<unsigned>(side) + 1U) / 2U);
    return corner;
}

Rect CaptionArea(const Rect& client, const Rect& margins, const LookSet& looks) {
    int most = 0;
    int least = 0;
    for (const StateLook& look : looks) {
        most = std::max(most, look.ShadowOffset);
        least = std::min(least, look.ShadowOffset);
    }
    const Rect a = AddMargins(client, margins);
    return {a.Left - least, a.Top - least, a.Right - most, a.Bottom - most};
}

Rect FitCaption(const Rect& measured, const Rect& area, int lineHeight, std::uint8_t hAlign, std::uint8_t vAlign) {
    Rect t = Intersect(measured, area);
    // A font that measures nothing must not divide by zero.
    if (lineHeight > 0) {
        t.Bottom -= t.Height() % lineHeight;
        if (t.Top == t.Bottom) t.Bottom = t.Top + lineHeight;
    }
    const int width = t.Width();
    const int height = t.Height();
    if (hAlign == 0) {
        t.Left = area.Left;
    } else if (hAlign == 1) {
        t.Left = (area.Left + area.Right - width) / 2;
    } else {
        t.Left = area.Right - width;
    }
    if (vAlign == 0) {
        t.Top = (area.Top + area.Bottom - height) / 2;
    } else if (vAlign == 1) {
        t.Top = area.Top;
    } else {
        t.Top = area.Bottom - height;
    }
    t.Right = t.Left + width;
    t.Bottom = t.Top + height;
    return t;
}

Color BandColor(Color c1, Color c2, int i, int n) {
    if (n == 0) return c1;
    Color out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int x1 = static_cast<int>(c1 >> shift & 0xFF);
        const int x2 = static_cast<int>(c2 >> shift & 0xFF);
        const int x = ((x2 - x1) * i / n + x1) & 0xFF;
        out |= static_cast<Color>(x) << shift;
    }
    return out;
}

int DiagonalBand(int height) { return std::min(height / 32 + 1, 6); }

bool PlanGradientTile(std::uint8_t style, int w, int h, GradientTile& tile) {
    if (w < 1 || h < 1) return false;
    switch (static_cast<GradientStyle>(style)) {
        case GradientStyle::Vertical:
            tile = {32, h, 32, h, h, true, false};
            return true;
        case GradientStyle::Horizontal:
            tile = {w, 32, w, 32, w, false, false};
            return true;
        case GradientStyle::DoubleVertical:
            tile = {32, h, 32, h / 2, h / 2, true, true};
            return true;
        case GradientStyle::DoubleHorizontal:
            tile = {w, 32, w / 2, 32, w / 2, false, true};
            return true;
        case GradientStyle::DiagonalDown:
        case GradientStyle::DiagonalUp: {
            const int b = DiagonalBand(h);
            tile = {w + h, b, w + h, b, w + h, false, false};
            return true;
        }
        default:
            return false;
    }
}

std::vector<Rect> TileCopies(std::uint8_t style, const Rect& r, const GradientTile& tile) {
    std::vector<Rect> copies;
    auto add = [&](int x, int y) { copies.push_back({x, y, x + tile.Width, y + tile.Height}); };
    switch (static_cast<GradientStyle>(style)) {
        case GradientStyle::Vertical:
        case GradientStyle::DoubleVertical:
            for (int i = 0; i <= r.Right / 32; ++i) add(r.Left + 32 * i, r.Top);
            break;
        case GradientStyle::Horizontal:
        case GradientStyle::DoubleHorizontal:
            for (int i = 0; i <= r.Bottom / 32; ++i) add(r.Left, r.Top + 32 * i);
            break;
        case GradientStyle::DiagonalDown:
        case GradientStyle::DiagonalUp: {
            const int b = tile.Height;
            const int bands = (r.Bottom + b - 1) / b;
            const bool up = static_cast<GradientStyle>(style) == GradientStyle::DiagonalUp;
            for (int i = 0; i < bands; ++i) add(up ? r.Left - r.Bottom + i * b : r.Left - i * b, r.Top + i * b);
            break;
        }
        default:
            break;
    }
    return copies;
}

}  // namespace pellwise
