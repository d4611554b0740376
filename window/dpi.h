#pragma once

#include <windows.h>

namespace pellwise {

// The calls of newer Windows versions are looked up when they are used, so
// the program still starts on Windows 7 and under Wine, falling back to the
// older call or to the system-wide DPI.

// Makes the process per-monitor DPI aware (version 2, else version 1, else
// system aware) for a system that did not take it from the manifest. A
// manifest's declaration stands; the calls then fail harmlessly.
void DeclareDpiAwareness();

// The DPI of the primary monitor, which windows start with.
int SystemDpi();

// The DPI of the monitor the window is drawn for.
int WindowDpi(HWND window);

// GetSystemMetrics at a given DPI (the size of an icon, for example).
int SystemMetricForDpi(int index, int dpi);

}  // namespace pellwise
