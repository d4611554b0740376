#pragma once

#include <windows.h>

#include <functional>

namespace pellwise {

class Application;

// A timer object; all of them share one hidden window of the application.
// The event runs on the GUI thread from the message loop.
class Timer {
public:
    // An interval of 0 or less means 1000 ms.
    Timer(Application& app, int interval);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetInterval(int interval);
    int Interval() const { return interval_; }
    void SetHandler(std::function<void(Timer&)> handler) { handler_ = std::move(handler); }

private:
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Arm();
    void Disarm();

    Application& app_;
    int interval_;
    bool enabled_ = false;
    std::function<void(Timer&)> handler_;
};

}  // namespace pellwise
