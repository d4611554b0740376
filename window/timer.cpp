#include "window/timer.h"

#include "window/application.h"

namespace pellwise {

namespace {

constexpr int kDefaultInterval = 1000;

int Normalised(int interval) { return interval <= 0 ? kDefaultInterval : interval; }

}  // namespace

Timer::Timer(Application& app, int interval) : app_(app), interval_(Normalised(interval)) { app_.AddTimerUser(); }

Timer::~Timer() {
    SetEnabled(false);
    app_.RemoveTimerUser();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_) {
        Arm();
    } else {
        Disarm();
    }
}

void Timer::SetInterval(int interval) {
    interval_ = Normalised(interval);
    if (enabled_) Arm();
}

// The timer object's address is its identifier on the shared window, so the
// procedure finds it without any table.
void Timer::Arm() {
    app_.Calls().StartTimer(app_.TimerWindow(), reinterpret_cast<UINT_PTR>(this), static_cast<UINT>(interval_),
                            &Timer::TimerProc);
}

void Timer::Disarm() { app_.Calls().StopTimer(app_.TimerWindow(), reinterpret_cast<UINT_PTR>(this)); }

void CALLBACK Timer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto* timer = reinterpret_cast<Timer*>(id);
    if (timer->enabled_ && timer->handler_) timer->handler_(*timer);
}

}  // namespace pellwise
