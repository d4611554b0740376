#pragma once

#include <windows.h>
// ole2.h first: olectl.h builds on its COM types.
#include <ole2.h>
#include <olectl.h>

#include <memory>

#include "window/dpi_scale.h"

namespace pellwise {

// The decoded splash picture. Its bitmap belongs to the OLE picture, which
// this object keeps alive with a reference of its own until it goes.
class SplashPicture {
public:
    // Takes one reference to `picture`, which owns `bitmap`.
    SplashPicture(IPicture* picture, HBITMAP bitmap);
    ~SplashPicture();
    SplashPicture(const SplashPicture&) = delete;
    SplashPicture& operator=(const SplashPicture&) = delete;

    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    IPicture* picture_;
    HBITMAP bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// Decodes the JPEG resource `name` of type `type` in `module`; nothing when
// the resource is missing or cannot be decoded.
std::unique_ptr<SplashPicture> LoadSplashPicture(HMODULE module, const char* name, const char* type);

// Draws the picture at (0, 0) at its own size scaled to the DPI: copied as it
// is at 96 DPI, stretched with the system's smooth filter at any other.
// Without a picture the DC is left as it is.
void PaintSplashPicture(const SplashPicture* picture, HDC dc, DpiScale scale);

}  // namespace pellwise
