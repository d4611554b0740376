#pragma once

// Plain arithmetic, no <windows.h>: the gradient model shares the window
// layer's colours and is built and tested everywhere.

#include <cstdint>

namespace pellwise {

// A Windows COLORREF, 0x00BBGGRR. With the top bit set, 0x80000000 + n names
// system colour n, resolved each time it is drawn.
using Color = std::uint32_t;
inline constexpr Color kSystemColor = 0x80000000;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 | static_cast<Color>(b & 0xFF) << 16;
}

}  // namespace pellwise
