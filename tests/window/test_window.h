#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>

#include "window/application.h"
#include "window/form.h"
#include "window/handles.h"

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

    // Sends the paint message with the memory DC, as a print would.
    void Paint(HWND window) { SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc_.Get()), 0); }
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

}  // namespace pellwise
