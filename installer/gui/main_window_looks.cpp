#include "installer/gui/main_window_looks.h"

namespace pellwise {

namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kSilver = Rgb(192, 192, 192);
constexpr Color kGrey = Rgb(128, 128, 128);

void SquareDefaultCorners(GradientModel& m) {
    SetDefaultCornerWidth(m, 0);
    SetDefaultCornerHeight(m, 0);
}

}  // namespace

void ApplyMainPanelLook(GradientModel& m) {
    SetDefaultGradientFrom(m, Rgb(202, 202, 202));
    SetDefaultGradientTo(m, Rgb(224, 224, 224));
    SetDisabledGradientFrom(m, kBlack);
    SetDisabledGradientTo(m, kSilver);
    SetAllOuterColor(m, kWhite);
    SetDefaultBorderColor(m, kBlack);
    SetDisabledBorderColor(m, kWhite);
    SquareDefaultCorners(m);
    SetDefaultGradientStyle(m, static_cast<std::uint8_t>(GradientStyle::DiagonalUp));
    SetAllShadowOffset(m, 2);
}

void ApplyTitleBarLook(GradientModel& m) {
    SetDefaultGradientFrom(m, kSilver);
    SetDefaultGradientTo(m, kGrey);
    SetDefaultOuterColor(m, kGrey);
    SetDefaultBorderColor(m, kBlack);
    SquareDefaultCorners(m);
    SetDefaultGradientStyle(m, static_cast<std::uint8_t>(GradientStyle::DoubleVertical));
}

void ApplyPictureFrameLook(GradientModel& m) {
    SetDefaultGradientTo(m, kSilver);
    SetDefaultOuterColor(m, kBlack);
    SetDefaultBorderColor(m, kBlack);
    SquareDefaultCorners(m);
    SetAllGradientStyle(m, static_cast<std::uint8_t>(GradientStyle::DiagonalDown));
    SetDefaultShadowOffset(m, 0);
}

void ApplyButtonLook(GradientModel& m, const ButtonLook& look) {
    SetOverGradientFrom(m, kWhite);
    SetDownGradientFrom(m, kSilver);
    SetDefaultGradientTo(m, kSilver);
    SetDownGradientTo(m, kWhite);
    for (LookState s : {LookState::Default, LookState::Over, LookState::Down}) {
        SetStateField(m, s, &StateLook::OuterColor, Rgb(233, 233, 233));
        SetStateField(m, s, &StateLook::CornerWidth, 0);
        SetStateField(m, s, &StateLook::CornerHeight, 0);
    }
    SetDefaultShadowColor(m, kSilver);
    SetDownShadowColor(m, kSilver);
    SetDefaultBorderColor(m, kBlack);
    SetOverBorderColor(m, kWhite);
    SetDownBorderColor(m, kBlack);
    SetDownBorderWidth(m, 1);
    SetDownGradientStyle(m, static_cast<std::uint8_t>(GradientStyle::Vertical));
    SetDownShadowOffset(m, 2);
    SetDrawFocusRect(m, false);

    SetOverGradientTo(m, look.Over);
    SetOverShadowColor(m, look.Over);
    if (look.OverBorderWidth) SetOverBorderWidth(m, *look.OverBorderWidth);
    if (look.OverTextColor) SetOverTextColor(m, *look.OverTextColor);
    if (!look.GreyWhenDisabled) return;
    SetDisabledGradientTo(m, kSilver);
    if (look.DisabledOuterColor) SetDisabledOuterColor(m, *look.DisabledOuterColor);
    SetDisabledTextColor(m, kGrey);
    SetDisabledShadowColor(m, kSilver);
    SetDisabledBorderWidth(m, 1);
    SetDisabledGradientStyle(m, static_cast<std::uint8_t>(GradientStyle::Vertical));
    SetDisabledShadowOffset(m, 1);
    SetDisabledCornerWidth(m, look.DisabledCorner);
    SetDisabledCornerHeight(m, look.DisabledCorner);
}

}  // namespace pellwise
