#include "window/windows_version.h"

#include <windows.h>

namespace pellwise {

std::uint8_t ClassifyWindowsVersion(std::uint32_t result) {
    const unsigned major = result & 0xFF;
    const unsigned minor = result >> 8 & 0xFF;
    const unsigned v = major * 256 + minor;
    if (result & 0x80000000U) {
        if (major < 4) return 0;
        if (v < 0x040A) return 1;
        if (v < 0x045A) return 2;
        return 3;
    }
    if (major < 5) return 4;
    if (v == 0x0500) return 5;
    if (minor == 1) return 6;
    if (major == 5) return 7;
    return 8;
}

std::uint8_t QueryWindowsVersionClass() { return ClassifyWindowsVersion(GetVersion()); }

}  // namespace pellwise
