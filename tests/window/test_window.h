#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
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

    void Show() {
        form_.SetVisible(true);
        ProcessPendingMessages(*app_);
    }

    std::unique_ptr<Application> app_;
    Form& form_;
};

// What a control paints into a 32-bit memory bitmap, read back as COLORREFs.
class Capture {
public:
    Capture(int width, int height) : width_(width), height_(height), dib_(CreateDib32(width, height)) {}

    // Sends the paint message with the memory DC, as a print would.
    void Paint(HWND window, UINT message = WM_PAINT) {
        MemoryDc dc(nullptr);
        SelectScope select(dc.Get(), dib_.Bitmap.Get());
        SendMessageW(window, message, reinterpret_cast<WPARAM>(dc.Get()), message == WM_PRINTCLIENT ? PRF_CLIENT : 0);
        GdiFlush();
    }

    COLORREF At(int x, int y) const { return FromDib(dib_.Bits[y * width_ + x]); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::vector<COLORREF> Pixels() const {
        std::vector<COLORREF> out;
        for (int i = 0; i < width_ * height_; ++i) out.push_back(FromDib(dib_.Bits[i]));
        return out;
    }

    static COLORREF FromDib(std::uint32_t p) { return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF); }

private:
    int width_;
    int height_;
    DibSection dib_;
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
