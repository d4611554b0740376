#pragma once

// Plain arithmetic, no <windows.h>: the window's tables stay in pixels at
// 96 DPI, and every length and position goes through here on its way to the
// screen, so the whole window scales by one rule.

namespace pellwise {

inline constexpr int kBaseDpi = 96;

// A box in pixels, edges as a Win32 RECT: [Left, Right) x [Top, Bottom).
struct Box {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    bool operator==(const Box&) const = default;
};

struct DpiScale {
    int Dpi = kBaseDpi;

    // v * Dpi / 96, rounded half away from zero (as MulDiv rounds).
    constexpr int operator()(int v) const {
        const long long n = static_cast<long long>(v) * Dpi;
        return static_cast<int>((n >= 0 ? n + kBaseDpi / 2 : n - kBaseDpi / 2) / kBaseDpi);
    }

    // A child's box: its edges are scaled, not its size, so boxes that meet
    // at 96 DPI still meet and boxes that do not overlap still do not.
    constexpr Box Place(int x, int y, int width, int height) const {
        return {(*this)(x), (*this)(y), (*this)(x + width), (*this)(y + height)};
    }

    constexpr bool IsBase() const { return Dpi == kBaseDpi; }
};

}  // namespace pellwise
