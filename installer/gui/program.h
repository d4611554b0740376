#pragma once

namespace pellwise {

// The installer program: one copy at a time, the main window, the message
// loop. Returns the process's exit code.
int RunInstallerProgram();

}  // namespace pellwise
