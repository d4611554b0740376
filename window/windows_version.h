#pragma once

#include <cstdint>

namespace pellwise {

// The class of a GetVersion result, which selects bitmap kinds and the use of
// the system gradient routines: 0-3 the 9x family (below 95, 95, 98, ME), 4 NT
// before 5, 5 Windows 2000, 6 a minor version of 1 (XP, also 7), 7 other 5.x,
// 8 everything later.
std::uint8_t ClassifyWindowsVersion(std::uint32_t getVersionResult);
std::uint8_t QueryWindowsVersionClass();

}  // namespace pellwise
