#include <io.h>
#include <windows.h>

// After windows.h, which it needs.
#include <shellapi.h>

#include "installer/console/native_text.h"
#include "services/paths.h"
#include "services/win32_text.h"

namespace pellwise {

namespace {

// Owns the array CommandLineToArgvW allocates.
struct WideArguments {
    int count = 0;
    wchar_t** values = CommandLineToArgvW(GetCommandLineW(), &count);
    ~WideArguments() { LocalFree(values); }
};

}  // namespace

std::string NativeFromUtf8(std::string_view utf8) { return NarrowTo(WidenFrom(utf8, CP_UTF8), CP_ACP); }
std::string NativeToUtf8(std::string_view native) { return NarrowTo(WidenFrom(native, CP_ACP), CP_UTF8); }

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    const WideArguments wide;
    if (wide.values == nullptr) return {argv + 1, argv + argc};
    std::vector<std::string> args;
    for (int i = 1; i < wide.count; ++i) args.push_back(NarrowTo(wide.values[i], CP_UTF8));
    return args;
}

std::string CurrentFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0 || n > MAX_PATH) return ".\\";
    return WithTrailingSeparator(std::string(buffer, n));
}

bool IsAbsolutePath(std::string_view path) {
    if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/')) return true;
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool StdinAndStderrAreTerminals() { return _isatty(0) && _isatty(2); }

}  // namespace pellwise
