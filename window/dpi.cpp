#include "window/dpi.h"

#include "window/dpi_scale.h"

namespace pellwise {

namespace {

template <typename Fn>
Fn Lookup(const char* module, const char* name) {
    HMODULE m = GetModuleHandleA(module);
    if (!m) m = LoadLibraryA(module);
    FARPROC proc = m ? GetProcAddress(m, name) : nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// DPI_AWARENESS_CONTEXT values; older headers lack them.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int kProcessPerMonitorAware = 2;  // PROCESS_PER_MONITOR_DPI_AWARE

}  // namespace

void DeclareDpiAwareness() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    if (auto setContext = Lookup<SetContextFn>("user32.dll", "SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorV2) || GetLastError() == ERROR_ACCESS_DENIED) return;
        if (setContext(kPerMonitor) || GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    using SetAwarenessFn = HRESULT(WINAPI*)(int);
    if (auto setAwareness = Lookup<SetAwarenessFn>("shcore.dll", "SetProcessDpiAwareness")) {
        const HRESULT result = setAwareness(kProcessPerMonitorAware);
        if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
    }
    using SetAwareFn = BOOL(WINAPI*)();
    if (auto setAware = Lookup<SetAwareFn>("user32.dll", "SetProcessDPIAware")) setAware();
}

int SystemDpi() {
    using GetDpiFn = UINT(WINAPI*)();
    if (auto getDpi = Lookup<GetDpiFn>("user32.dll", "GetDpiForSystem")) {
        if (const UINT dpi = getDpi()) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
    using GetDpiFn = UINT(WINAPI*)(HWND);
    if (auto getDpi = Lookup<GetDpiFn>("user32.dll", "GetDpiForWindow")) {
        if (const UINT dpi = window ? getDpi(window) : 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    using GetMetricFn = int(WINAPI*)(int, UINT);
    if (auto getMetric = Lookup<GetMetricFn>("user32.dll", "GetSystemMetricsForDpi"))
        return getMetric(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

}  // namespace pellwise
