#pragma once

#include <optional>

#include "gradient/gradient_model.h"

namespace pellwise {

// The looks of the main window's gradient controls. What is not set here
// keeps the controls' defaults.
void ApplyMainPanelLook(GradientModel& m);
void ApplyTitleBarLook(GradientModel& m);
void ApplyPictureFrameLook(GradientModel& m);

// Where the four buttons differ from each other.
struct ButtonLook {
    Color Over = 0;  // Over GradientTo and Over ShadowColor
    std::optional<int> OverBorderWidth;
    std::optional<Color> OverTextColor;
    bool GreyWhenDisabled = false;  // Next and eXit have a disabled look of their own
    std::optional<Color> DisabledOuterColor;
    int DisabledCorner = 0;
};

inline constexpr ButtonLook kNextButtonLook = {.Over = Rgb(0, 255, 0),
                                               .OverBorderWidth = 2,
                                               .OverTextColor = std::nullopt,
                                               .GreyWhenDisabled = true,
                                               .DisabledOuterColor = Rgb(255, 255, 255),
                                               .DisabledCorner = 0};
inline constexpr ButtonLook kExitButtonLook = {.Over = Rgb(255, 0, 0),
                                               .OverBorderWidth = std::nullopt,
                                               .OverTextColor = Rgb(255, 255, 255),
                                               .GreyWhenDisabled = true,
                                               .DisabledOuterColor = std::nullopt,
                                               .DisabledCorner = 1};
inline constexpr ButtonLook kHelpButtonLook = {.Over = Rgb(255, 255, 0),
                                               .OverBorderWidth = 2,
                                               .OverTextColor = std::nullopt,
                                               .GreyWhenDisabled = false,
                                               .DisabledOuterColor = std::nullopt,
                                               .DisabledCorner = 0};
inline constexpr ButtonLook kMinimizeButtonLook = {.Over = Rgb(255, 255, 0),
                                                   .OverBorderWidth = 2,
                                                   .OverTextColor = std::nullopt,
                                                   .GreyWhenDisabled = false,
                                                   .DisabledOuterColor = std::nullopt,
                                                   .DisabledCorner = 0};

void ApplyButtonLook(GradientModel& m, const ButtonLook& look);

}  // namespace pellwise
