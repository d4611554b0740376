#pragma once

#include <cstdint>

namespace pellwise {

enum class Transition : std::uint8_t {
    DefaultToOver = 0,
    DefaultToDown = 1,
    OverToDefault = 2,
    OverToDown = 3,
    DownToDefault = 4,
    DownToOver = 5,
};

enum class PressSource : std::uint8_t { None = 0, SpaceBar = 1, Mouse = 2 };

inline constexpr int kFullBlend = 64;

// The input and animation state of one control; all zero at construction.
struct InputState {
    bool MouseOver = false;
    bool Pressed = false;
    PressSource Source = PressSource::None;
    bool Focused = false;
    Transition Current = Transition::DefaultToOver;
    std::int32_t BlendProgress = 0;
};

struct TransitionLooks {
    std::uint8_t From;  // LookState values
    std::uint8_t To;
};
TransitionLooks LooksOf(Transition t);
bool EndsAtDefault(Transition t);

// Each returns true when it started a new transition, so the caller starts the
// animation. A reversal of the running fade continues from the mirrored
// progress; any other change starts from 0.
bool MouseEnter(InputState& s);
bool MouseLeave(InputState& s);
void Press(InputState& s);
bool Release(InputState& s);

// Progress added per 40 ms step, by animation speed 0..5.
int AnimationStep(std::uint8_t speed);
// One timer step; true when the fade has reached its end.
bool AdvanceBlend(InputState& s, std::uint8_t speed);

}  // namespace pellwise
