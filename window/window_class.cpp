#include "window/window_class.h"

#include "services/win32_text.h"
#include "window/control.h"

namespace pellwise {

namespace {

bool FindClass(HINSTANCE instance, const std::wstring& name, WNDCLASSW& info) {
    return GetClassInfoW(instance, name.c_str(), &info) || GetClassInfoW(nullptr, name.c_str(), &info);
}

}  // namespace

std::string LayerClassName(const std::string& className) { return "obj_" + className; }

WNDPROC RegisterLayerClass(HINSTANCE instance, const std::string& className, UINT extraStyle) {
    const std::wstring plainName = WidenFrom(className, kCodePage1251);
    const std::wstring layerName = WidenFrom(LayerClassName(className), kCodePage1251);
    WNDCLASSW system = {};
    const bool takeOver = FindClass(instance, plainName, system);
    const WNDPROC base = takeOver ? system.lpfnWndProc : DefWindowProcW;

    WNDCLASSW existing = {};
    if (GetClassInfoW(instance, layerName.c_str(), &existing)) return base;

    WNDCLASSW wc = {};
    if (takeOver) {
        wc = system;
        wc.style &= ~(CS_GLOBALCLASS | CS_OWNDC | CS_CLASSDC | CS_PARENTDC);
    } else {
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = nullptr;
    }
    wc.style |= extraStyle;
    wc.lpfnWndProc = Control::WindowProc;
    wc.hInstance = instance;
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = layerName.c_str();
    RegisterClassW(&wc);
    return base;
}

}  // namespace pellwise
