#include "installer/gui/mission_items.h"

#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <vector>

#include "services/win32_text.h"
#include "window/list_control.h"

namespace pellwise {

namespace {

constexpr int kMaxItemText = 1024;

}  // namespace

void AddMissionItem(ListControl& list, const std::string& name) {
    std::wstring wide = WidenFrom(name, CP_ACP);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = list.ItemCount();
    item.pszText = wide.data();
    list.SendToControl(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string MissionItemText(ListControl& list, int index) {
    std::vector<wchar_t> buffer(kMaxItemText + 1, L'\0');
    LVITEMW item = {};
    item.pszText = buffer.data();
    item.cchTextMax = kMaxItemText;
    list.SendToControl(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return NarrowTo(buffer.data(), CP_ACP);
}

}  // namespace pellwise
