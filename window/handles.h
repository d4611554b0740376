#pragma once

#include <windows.h>

#include <cstdint>

#include "services/win32_handles.h"

namespace pellwise {

// A 32-bit top-down DIB section with its pixels.
struct DibSection {
    BitmapHandle Bitmap;
    std::uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
};
DibSection CreateDib32(int width, int height);

}  // namespace pellwise
