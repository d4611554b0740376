#pragma once

// Where the main window's controls stand, in pixels at 96 DPI within their
// parent's client area. The window layer scales them to the monitor's DPI.

namespace pellwise {

struct Place {
    int X, Y, Width, Height;
};

namespace layout {

inline constexpr Place kClient = {0, 0, 633, 505};
// On the main panel.
inline constexpr Place kMissionListLabel = {16, 40, 601, 22};
inline constexpr Place kNextButton = {480, 426, 137, 31};
inline constexpr Place kTitleBar = {0, 0, 633, 25};
inline constexpr Place kPage = {16, 40, 601, 373};  // the picture frame and the read-me share it
inline constexpr Place kMissionList = {16, 64, 601, 349};
inline constexpr int kPleaseWaitX = 16, kPleaseWaitY = 431;
inline constexpr int kCreditX = 462, kCreditY = 467;
// On the title bar.
inline constexpr int kTitleX = 16, kTitleY = 7;
inline constexpr Place kExitButton = {558, 0, 59, 25};
inline constexpr Place kHelpButton = {392, 0, 120, 25};
inline constexpr Place kMinimizeButton = {520, 0, 31, 25};
// On the picture frame.
inline constexpr Place kPictureBox = {1, 1, 599, 371};

}  // namespace layout
}  // namespace pellwise
