#pragma once

#include <windows.h>

#include <string>

#include "window/control.h"

namespace pellwise {

// A top-level window of the application, owned by the application window.
class Form : public Control {
public:
    Form(Application& app, std::string caption);
    ~Form() override;

    // false: no caption bar, frame or edges.
    void SetBorder(bool border);
    // false: the current size becomes both the smallest and the largest, and
    // the frame offers no sizing.
    void SetResizable(bool resizable);
    // Centres on the parent's window, or the screen when there is none.
    void Centre();
    // Minimising starts the system's animation from this form.
    void SetMinimizeAnimation(bool on) { minimizeAnimation_ = on; }
    bool MinimizeAnimation() const { return minimizeAnimation_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND OwnerWindow() override;
    UINT ClassStyle() const override { return CS_DBLCLKS; }
    void OnDpiChanged() override;

private:
    bool IsMainForm() const;

    bool resizable_ = true;
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    int fixedLogicalWidth_ = 0;
    int fixedLogicalHeight_ = 0;
    bool minimizeAnimation_ = false;
    int showAgain_ = SW_SHOWNOACTIVATE;
};

}  // namespace pellwise
