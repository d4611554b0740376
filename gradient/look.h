#pragma once

#include <array>
#include <cstdint>

#include "window/dpi_scale.h"

namespace pellwise {

// A Windows COLORREF, 0x00BBGGRR. With the top bit set, 0x80000000 + n names
// system colour n, resolved each time it is drawn.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kSystemColorFlag = 0x80000000;
inline constexpr ColorRef kBtnFaceColor = kSystemColorFlag + 15;

constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>(r & 0xFF) | static_cast<ColorRef>(g & 0xFF) << 8 |
           static_cast<ColorRef>(b & 0xFF) << 16;
}

enum class ControlKind : std::uint8_t { Button = 0x20, Panel = 0x21 };

enum class LookState : std::uint8_t { Default = 0, Over = 1, Down = 2, Disabled = 3 };
inline constexpr int kLookCount = 4;

enum class GradientStyle : std::uint8_t {
    Solid = 0,
    Vertical = 1,
    Horizontal = 2,
    DoubleVertical = 3,
    DoubleHorizontal = 4,
    DiagonalDown = 5,
    DiagonalUp = 6,
};

struct StateLook {
    ColorRef GradientFrom = 0;
    ColorRef GradientTo = 0;
    ColorRef OuterColor = 0;
    ColorRef TextColor = 0;
    ColorRef ShadowColor = 0;
    ColorRef BorderColor = 0;
    std::int32_t CornerWidth = 0;
    std::int32_t CornerHeight = 0;
    std::int32_t BorderWidth = 0;
    std::uint8_t GradientStyle = 0;
    std::int32_t ShadowOffset = 0;
};

using LookSet = std::array<StateLook, kLookCount>;

// The four looks every gradient control starts with.
LookSet DefaultLooks();

// The look's lengths (corners, border, shadow offset) at a DPI; the colours
// and the style stay. The looks are written for 96 DPI.
StateLook ScaledLook(const StateLook& look, DpiScale scale);
LookSet ScaledLooks(const LookSet& looks, DpiScale scale);

// A body is one solid colour when both ends are equal or the style says so.
bool IsSolidBody(const StateLook& look);

}  // namespace pellwise
