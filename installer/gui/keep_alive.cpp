#include "installer/gui/keep_alive.h"

#include <windows.h>

#include "window/application.h"
#include "window/form.h"

namespace pellwise {

namespace {

// A window whose paint handler does not validate would post WM_PAINT without
// end; the bound keeps one call short whatever the windows do.
constexpr int kMaxMessagesPerKind = 64;

void DispatchWaiting(UINT message) {
    MSG msg;
    for (int i = 0; i < kMaxMessagesPerKind && PeekMessageW(&msg, nullptr, message, message, PM_REMOVE); ++i)
        DispatchMessageW(&msg);
}

}  // namespace

void KeepWindowsAlive(Application& app) {
    Form* form = app.MainForm();
    if (form && form->HasWindow())
        RedrawWindow(form->HandleIfCreated(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DispatchWaiting(WM_TIMER);
    DispatchWaiting(WM_PAINT);
}

}  // namespace pellwise
