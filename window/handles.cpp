#include "window/handles.h"

namespace pellwise {

DibSection CreateDib32(int width, int height) {
    DibSection dib;
    if (width < 1 || height < 1) return dib;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib.Bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.Bitmap) return dib;
    dib.Bits = static_cast<std::uint32_t*>(bits);
    dib.Width = width;
    dib.Height = height;
    return dib;
}

}  // namespace pellwise
