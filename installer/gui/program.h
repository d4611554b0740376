#pragma once

namespace pellwise {

// The installer program: one copy at a time, the main window, the message
// loop. Returns the process's exit code.
int RunInstallerProgram();

// "pellwise.exe /restore": asks whether to put the game back as it was
// before the last install of this mod, does it and shows the outcome, all in
// message boxes, without the main window.
int RunRestoreProgram();

// True when the command line asks for the restore.
bool WantsRestore(const char* commandLine);

}  // namespace pellwise
