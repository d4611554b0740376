#pragma once

#include "window/dpi_scale.h"

namespace pellwise {

// A rectangle with the layout and half-open extent of a Win32 RECT.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const Rect&) const = default;
};

// As IntersectRect: no overlap gives the all-zero rectangle.
Rect Intersect(const Rect& a, const Rect& b);
Rect Offset(const Rect& r, int dx, int dy);
Rect Inflate(const Rect& r, int dx, int dy);
// Member-wise sum, the way the content margins are applied.
Rect AddMargins(const Rect& r, const Rect& margins);
// Margins written for 96 DPI, at a DPI.
Rect ScaledMargins(const Rect& margins, DpiScale scale);

}  // namespace pellwise
