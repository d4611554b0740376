#include "installer/gui/mission_items.h"

#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <vector>

#include "services/window/list_control.h"

namespace pellwise {

namespace {

constexpr int kMaxItemText = 1024;

std::wstring FromSystemCodePage(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string ToSystemCodePage(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

}  // namespace

void AddMissionItem(ListControl& list, const std::string& name) {
    std::wstring wide = FromSystemCodePage(name);
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
    return ToSystemCodePage(buffer.data());
}

}  // namespace pellwise
