#include "gradient/transition.h"

#include <array>

#include "gradient/look.h"

namespace pellwise {

namespace {

constexpr std::array<int, 6> kSteps = {64, 22, 13, 8, 6, 4};

void Start(InputState& s, Transition next, Transition reversedBy) {
    s.BlendProgress = s.Current == reversedBy ? kFullBlend - s.BlendProgress : 0;
    s.Current = next;
}

}  // namespace

TransitionLooks LooksOf(Transition t) {
    constexpr auto kDefault = static_cast<std::uint8_t>(LookState::Default);
    constexpr auto kOver = static_cast<std::uint8_t>(LookState::Over);
    constexpr auto kDown = static_cast<std::uint8_t>(LookState::Down);
    switch (t) {
        case Transition::DefaultToOver:
            return {kDefault, kOver};
        case Transition::DefaultToDown:
            return {kDefault, kDown};
        case Transition::OverToDefault:
            return {kOver, kDefault};
        case Transition::OverToDown:
            return {kOver, kDown};
        case Transition::DownToDefault:
            return {kDown, kDefault};
        case Transition::DownToOver:
            return {kDown, kOver};
    }
    return {kDefault, kDefault};
}

bool EndsAtDefault(Transition t) { return t == Transition::OverToDefault || t == Transition::DownToDefault; }

bool MouseEnter(InputState& s) {
    s.MouseOver = true;
    if (s.Source == PressSource::SpaceBar) return false;
    Start(s, Transition::DefaultToOver, Transition::OverToDefault);
    return true;
}

bool MouseLeave(InputState& s) {
    s.MouseOver = false;
    if (s.Source == PressSource::SpaceBar) return false;
    s.Source = PressSource::None;
    Start(s, s.Pressed ? Transition::DownToDefault : Transition::OverToDefault, Transition::DefaultToOver);
    s.Pressed = false;
    return true;
}

void Press(InputState& s) {
    s.Pressed = true;
    Start(s, s.MouseOver ? Transition::OverToDown : Transition::DefaultToDown, Transition::DownToOver);
}

bool Release(InputState& s) {
    if (!s.Pressed) return false;
    s.Pressed = false;
    Start(s, s.MouseOver ? Transition::DownToOver : Transition::DownToDefault, Transition::OverToDown);
    return true;
}

int AnimationStep(std::uint8_t speed) { return speed < kSteps.size() ? kSteps[speed] : kFullBlend; }

bool AdvanceBlend(InputState& s, std::uint8_t speed) {
    s.BlendProgress += AnimationStep(speed);
    if (s.BlendProgress < kFullBlend) return false;
    s.BlendProgress = kFullBlend;
    return true;
}

}  // namespace pellwise
