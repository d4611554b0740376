#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "services/window/application.h"
#include "services/window/form.h"
#include "services/window/handles.h"

namespace pellwise {

// An application with a shown form to put controls on.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() : app_(std::make_unique<Application>("Pellwise")), form_(app_->CreateForm("Test form")) {
        form_.SetClientSize(400, 300);
    }
    // A test that terminated leaves WM_QUIT in the thread's queue for the next one.
    ~WindowTest() override { ProcessPendingMessages(*app_); }

    void Show() {
        form_.SetVisible(true);
        ProcessPendingMessages(*app_);
    }

    std::unique_ptr<Application> app_;
    Form& form_;
};

// What is painted into a 32-bit memory bitmap, read back as COLORREFs.
class Capture {
public:
    Capture(int width, int height) : dib_(CreateDib32(width, height)), select_(dc_.Get(), dib_.Bitmap.Get()) {}

    HDC Dc() const { return dc_.Get(); }
    // Sends the paint message with the memory DC, as a print would.
    void Paint(HWND window, UINT message = WM_PAINT) {
        SendMessageW(window, message, reinterpret_cast<WPARAM>(dc_.Get()), message == WM_PRINTCLIENT ? PRF_CLIENT : 0);
    }
    int Width() const { return dib_.Width; }
    int Height() const { return dib_.Height; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const std::uint32_t p = dib_.Bits[y * dib_.Width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }

private:
    MemoryDc dc_{nullptr};
    DibSection dib_;
    SelectScope select_;
};

// The box around every pixel of one exact colour; empty when there is none.
inline RECT BoxOf(const Capture& c, COLORREF color, RECT within) {
    RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            if (c.At(x, y) != color) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box.left == INT_MAX ? RECT{0, 0, 0, 0} : box;
}

inline int ChannelDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

}  // namespace pellwise
