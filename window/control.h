#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "window/color.h"
#include "window/dpi_scale.h"
#include "window/handles.h"

namespace pellwise {

class Application;
class Control;

inline constexpr Color kClBtnFace = kSystemColor + COLOR_BTNFACE;
inline constexpr Color kClWindow = kSystemColor + COLOR_WINDOW;
inline constexpr Color kClWindowText = kSystemColor + COLOR_WINDOWTEXT;
COLORREF ResolveColor(Color color);

// Messages a parent hands back to the child they concern.
inline constexpr UINT kReflectedNotify = 0xBC00 + WM_NOTIFY;
inline constexpr UINT kReflectedCommand = 0xBC00 + WM_COMMAND;
// Asks a control to make the windows its children still lack.
inline constexpr UINT kCreateChildWindows = WM_APP + 0x3F00;

// A hook returns a result when it consumed the message.
using MessageHook = std::function<std::optional<LRESULT>(Control&, UINT, WPARAM, LPARAM)>;
using ControlHandler = std::function<void(Control&)>;
using PaintHandler = std::function<void(Control&, HDC)>;
using InsideTest = std::function<bool(Control&)>;

struct FontSpec {
    std::string Face = "Tahoma";
    int Height = 13;  // cell height in pixels
    Color TextColor = kClWindowText;
};

// Show states recorded from WM_SIZE.
enum class WindowState : std::uint8_t { Normal = 0, Minimized = 1, Maximized = 2 };

// One window of the program. The window itself is made the first time its
// handle is needed; the object owns its children, its hooks, its events and
// whatever is attached to it, and destroys its window with itself.
class Control {
public:
    Control(Application& app, Control* parent, std::string className, DWORD style, DWORD exStyle = 0);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Takes ownership of a child made with this control as its parent.
    // A child adopted by a control whose window exists gets its own window
    // from the message loop, after its maker has attached its hooks.
    template <typename T>
    T& Adopt(std::unique_ptr<T> child) {
        T& ref = *child;
        children_.push_back(std::move(child));
        RequestChildWindows();
        return ref;
    }

    Application& App() const { return app_; }
    Control* Parent() const { return parent_; }
    const std::string& ClassName() const { return className_; }
    int Id() const { return id_; }
    DWORD Style() const { return style_; }
    DWORD ExStyle() const { return exStyle_; }

    // EnsureWindowHandle: creates the parent's window first, then this one.
    HWND Handle();
    HWND HandleIfCreated() const { return hwnd_; }
    bool HasWindow() const { return hwnd_ != nullptr; }

    // Positions and sizes are given in pixels at 96 DPI and reach the window
    // scaled to its DPI; a top-level window's position is in screen pixels.
    void SetPosition(int x, int y);
    void SetSize(int width, int height);
    void SetClientSize(int width, int height);
    RECT Bounds() const;  // relative to the parent's client area, in screen pixels
    RECT ClientRect() const;
    // The size as given, at 96 DPI.
    int LogicalWidth() const { return width_; }
    int LogicalHeight() const { return height_; }
    int Width() const;
    int Height() const;

    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetEnabled(bool enabled);
    bool IsEnabled() const;

    // Captions are windows-1251 and reach the window through the W functions.
    void SetCaption(std::string caption);
    const std::string& Caption() const { return caption_; }

    void SetColor(Color color);
    Color BackgroundColor() const { return color_; }
    HBRUSH BackgroundBrush();
    void SetFontName(std::string face);
    void SetFontHeight(int height);
    void SetFontColor(Color color);
    const FontSpec& Font() const { return font_; }
    HFONT FontObject();

    void SetTransparent(bool transparent);
    bool IsTransparent() const { return transparent_; }
    void SetAutoSize(bool autoSize);
    void SetAutoSizeAllowance(int width, int height);

    void SetPaintHandler(PaintHandler handler);
    void SetClickHandler(ControlHandler handler);
    void SetMouseEnterHandler(ControlHandler handler);
    void SetMouseLeaveHandler(ControlHandler handler);
    void SetInsideTest(InsideTest test);
    void Click();
    bool MouseInside() const { return mouseInside_; }

    // Hooks run newest first; the first that consumes a message ends it. A
    // hook that must not run while the application shuts down says so.
    void AttachHook(MessageHook hook, bool runWhileTerminating = true);
    template <typename T>
    T& AddOwned(std::unique_ptr<T> object) {
        T& ref = *object;
        owned_.push_back(std::shared_ptr<void>(std::move(object)));
        return ref;
    }

    void Invalidate();
    LRESULT SendToControl(UINT message, WPARAM wParam, LPARAM lParam);
    // Records the control as its form's current control and focuses it.
    void FocusControl();
    Control* CurrentControl() const { return currentControl_; }
    Control& TopLevel();
    void PostClose();

    // The DPI the control is drawn for: that of its top-level window.
    int Dpi() const;
    DpiScale Scale() const { return {Dpi()}; }
    // A top-level window moved to a monitor of another DPI: every control
    // below it takes its new box and font and paints anew.
    void ChangeDpi(int dpi);

    WindowState RecordedState() const { return showState_; }
    void SetWindowState(WindowState state);

    // The WM_CTLCOLOR* answer for this control as a child.
    HBRUSH ColorMessage(HDC dc);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Built-in handling after the hooks; nullopt passes to the default procedure.
    virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs once the window exists, before its children are made.
    virtual void OnWindowCreated() {}
    // Runs when the DPI changed, after the new font and before the new box.
    virtual void OnDpiChanged() {}
    // The owner of a top-level window; children use their parent.
    virtual HWND OwnerWindow();
    virtual UINT ClassStyle() const { return 0; }
    // Derived controls destroy their window while their own data still exists.
    void DestroyWindowNow();
    void SetStyleBits(DWORD add, DWORD remove);
    void SetExStyleBits(DWORD add, DWORD remove);
    // A control whose colour the window itself keeps (list and rich edit).
    void SetColorMessage(UINT message) { colorMessage_ = message; }
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Hook {
        MessageHook Run;
        bool RunWhileTerminating;
    };

    void CreateOwnWindow();
    void RequestChildWindows();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> CommonHandling(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyAutoSize();
    void ApplyBounds();
    Box DeviceBox() const;
    void ApplyDpi();
    void ApplyIcons();
    void UpdateMouseInside();
    void EnsureTrackingHook();
    void RequestLeaveNotice(DWORD flags);

    Application& app_;
    Control* parent_;
    std::vector<std::unique_ptr<Control>> children_;
    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    std::string className_;
    DWORD style_;
    DWORD exStyle_;
    int id_;
    int x_ = 0, y_ = 0, width_ = 100, height_ = 25;
    int dpi_;                  // of a top-level window; children ask theirs
    SIZE autoSized_ = {0, 0};  // in screen pixels, measured in the scaled font
    std::string caption_;
    FontSpec font_;
    FontHandle fontObject_;
    Color color_ = kClBtnFace;
    BrushHandle brush_;
    UINT colorMessage_ = 0;
    bool transparent_ = false;
    bool autoSize_ = false;
    int autoWidth_ = 0, autoHeight_ = 0;
    bool destroying_ = false;
    bool mouseInside_ = false;
    bool trackingHook_ = false;
    bool paintHook_ = false;
    bool childWindowsRequested_ = false;
    WindowState showState_ = WindowState::Normal;
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    Control* currentControl_ = nullptr;
    ControlHandler onClick_, onMouseEnter_, onMouseLeave_;
    PaintHandler onPaint_;
    InsideTest insideTest_;
    std::vector<std::shared_ptr<Hook>> hooks_;
    std::vector<std::shared_ptr<void>> owned_;
};

// The part of the control's text extent, in the control's font.
SIZE MeasureText(Control& control, const std::string& text);

}  // namespace pellwise
