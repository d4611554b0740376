#include <windows.h>

#include "installer/gui/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return pellwise::WantsRestore(commandLine) ? pellwise::RunRestoreProgram() : pellwise::RunInstallerProgram();
}
