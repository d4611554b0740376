#pragma once

#include <windows.h>

#include <string>

namespace pellwise {

// The name a control's class is registered under: "obj_" + its class name.
std::string LayerClassName(const std::string& className);

// Registers the layer's class for className once. Where a system class of
// that name exists its class data are taken over and its procedure becomes
// the default for the control's messages; the result is that default.
WNDPROC RegisterLayerClass(HINSTANCE instance, const std::string& className, UINT extraStyle);

}  // namespace pellwise
