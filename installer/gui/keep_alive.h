#pragma once

namespace pellwise {

class Application;

// Called while a long operation runs inside an event handler: carries out
// the pending repaints of the main window and its controls, and hands the
// waiting paint and timer messages of the program's windows to them, so the
// window stays drawn and its animations run. Input messages stay queued.
void KeepWindowsAlive(Application& app);

}  // namespace pellwise
