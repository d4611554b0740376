#pragma once

#include <array>
#include <cstdint>

#include "gradient/geometry.h"
#include "gradient/look.h"
#include "gradient/transition.h"

namespace pellwise {

// Slots of the cached bitmaps: the four looks, then the blend.
inline constexpr int kBlendSlot = 4;
inline constexpr int kBitmapSlots = 5;

inline constexpr Rect kContentMargins = {4, 4, -4, -4};

// Everything a gradient control knows apart from its window and bitmaps: the
// looks, the control-wide settings, the stale flags, the layout rectangles
// and the input state. The painting and input code only read and change this.
struct GradientModel {
    ControlKind Kind = ControlKind::Button;
    bool Interactive = true;
    LookSet Looks = DefaultLooks();
    Rect ContentMargins = kContentMargins;
    std::uint8_t TextHAlign = 1;  // 0 left, 1 centre, 2 right
    std::uint8_t TextVAlign = 0;  // 0 centre, 1 top, 2 bottom
    bool DrawFocusRect = true;
    std::uint8_t AnimationSpeed = 2;
    std::array<bool, kBitmapSlots> Stale = {true, true, true, true, true};
    std::array<Rect, kLookCount> LookRects = {};
    Rect BlendRect = {};
    InputState Input;
};

GradientModel MakeGradientModel(ControlKind kind);

inline StateLook& LookOf(GradientModel& m, LookState s) { return m.Looks[static_cast<int>(s)]; }
inline const StateLook& LookOf(const GradientModel& m, LookState s) { return m.Looks[static_cast<int>(s)]; }

// Marks the four looks and the blend stale.
void MarkLooksStale(GradientModel& m);
// Sets every layout rectangle to the client rectangle (before the layout handler runs).
void ResetLayout(GradientModel& m, const Rect& client);

template <typename T>
void SetStateField(GradientModel& m, LookState s, T StateLook::*field, T value) {
    LookOf(m, s).*field = value;
    m.Stale[static_cast<int>(s)] = true;
}

template <typename T>
void SetAllField(GradientModel& m, T StateLook::*field, T value) {
    for (StateLook& look : m.Looks) look.*field = value;
    MarkLooksStale(m);
}

void SetTextVAlign(GradientModel& m, std::uint8_t value);
void SetDrawFocusRect(GradientModel& m, bool flag);

// The setters the application calls. Per-state setters mark only that look's
// bitmap stale; the all-states ones mark every bitmap stale. None repaints.
inline void SetDefaultGradientFrom(GradientModel& m, Color v) {
    SetStateField(m, LookState::Default, &StateLook::GradientFrom, v);
}
inline void SetOverGradientFrom(GradientModel& m, Color v) {
    SetStateField(m, LookState::Over, &StateLook::GradientFrom, v);
}
inline void SetDownGradientFrom(GradientModel& m, Color v) {
    SetStateField(m, LookState::Down, &StateLook::GradientFrom, v);
}
inline void SetDisabledGradientFrom(GradientModel& m, Color v) {
    SetStateField(m, LookState::Disabled, &StateLook::GradientFrom, v);
}

inline void SetDefaultGradientTo(GradientModel& m, Color v) {
    SetStateField(m, LookState::Default, &StateLook::GradientTo, v);
}
inline void SetOverGradientTo(GradientModel& m, Color v) {
    SetStateField(m, LookState::Over, &StateLook::GradientTo, v);
}
inline void SetDownGradientTo(GradientModel& m, Color v) {
    SetStateField(m, LookState::Down, &StateLook::GradientTo, v);
}
inline void SetDisabledGradientTo(GradientModel& m, Color v) {
    SetStateField(m, LookState::Disabled, &StateLook::GradientTo, v);
}

inline void SetDefaultOuterColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Default, &StateLook::OuterColor, v);
}
inline void SetDisabledOuterColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Disabled, &StateLook::OuterColor, v);
}
inline void SetAllOuterColor(GradientModel& m, Color v) { SetAllField(m, &StateLook::OuterColor, v); }

inline void SetOverTextColor(GradientModel& m, Color v) { SetStateField(m, LookState::Over, &StateLook::TextColor, v); }
inline void SetDisabledTextColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Disabled, &StateLook::TextColor, v);
}

inline void SetDefaultShadowColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Default, &StateLook::ShadowColor, v);
}
inline void SetOverShadowColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Over, &StateLook::ShadowColor, v);
}
inline void SetDownShadowColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Down, &StateLook::ShadowColor, v);
}
inline void SetDisabledShadowColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Disabled, &StateLook::ShadowColor, v);
}

inline void SetDefaultBorderColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Default, &StateLook::BorderColor, v);
}
inline void SetOverBorderColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Over, &StateLook::BorderColor, v);
}
inline void SetDownBorderColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Down, &StateLook::BorderColor, v);
}
inline void SetDisabledBorderColor(GradientModel& m, Color v) {
    SetStateField(m, LookState::Disabled, &StateLook::BorderColor, v);
}
inline void SetAllBorderColor(GradientModel& m, Color v) { SetAllField(m, &StateLook::BorderColor, v); }

inline void SetDefaultCornerWidth(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Default, &StateLook::CornerWidth, v);
}
inline void SetDisabledCornerWidth(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Disabled, &StateLook::CornerWidth, v);
}
inline void SetAllCornerWidth(GradientModel& m, std::int32_t v) { SetAllField(m, &StateLook::CornerWidth, v); }

inline void SetDefaultCornerHeight(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Default, &StateLook::CornerHeight, v);
}
inline void SetDisabledCornerHeight(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Disabled, &StateLook::CornerHeight, v);
}

inline void SetOverBorderWidth(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Over, &StateLook::BorderWidth, v);
}
inline void SetDownBorderWidth(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Down, &StateLook::BorderWidth, v);
}
inline void SetDisabledBorderWidth(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Disabled, &StateLook::BorderWidth, v);
}

inline void SetDefaultGradientStyle(GradientModel& m, std::uint8_t v) {
    SetStateField(m, LookState::Default, &StateLook::GradientStyle, v);
}
inline void SetDownGradientStyle(GradientModel& m, std::uint8_t v) {
    SetStateField(m, LookState::Down, &StateLook::GradientStyle, v);
}
inline void SetDisabledGradientStyle(GradientModel& m, std::uint8_t v) {
    SetStateField(m, LookState::Disabled, &StateLook::GradientStyle, v);
}
inline void SetAllGradientStyle(GradientModel& m, std::uint8_t v) { SetAllField(m, &StateLook::GradientStyle, v); }

inline void SetDefaultShadowOffset(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Default, &StateLook::ShadowOffset, v);
}
inline void SetDownShadowOffset(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Down, &StateLook::ShadowOffset, v);
}
inline void SetDisabledShadowOffset(GradientModel& m, std::int32_t v) {
    SetStateField(m, LookState::Disabled, &StateLook::ShadowOffset, v);
}
inline void SetAllShadowOffset(GradientModel& m, std::int32_t v) { SetAllField(m, &StateLook::ShadowOffset, v); }

}  // namespace pellwise
