#pragma once

#include <array>
#include <cstdint>

#include "window/color.h"
#include "window/dpi_scale.h"

namespace pellwise {

inline constexpr Color kBtnFaceColor = kSystemColor + 15;

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
    Color GradientFrom = 0;
    Color GradientTo = 0;
    Color OuterColor = 0;
    Color TextColor = 0;
    Color ShadowColor = 0;
    Color BorderColor = 0;
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
