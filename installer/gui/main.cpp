#include <windows.h>

#include "installer/gui/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return pellwise::RunInstallerProgram(); }
