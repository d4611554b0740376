#include "window/list_control.h"

#include <commctrl.h>

#include "services/win32_text.h"

namespace pellwise {

namespace {

constexpr DWORD kListStyle = 0x50010040;  // WS_CHILD, WS_VISIBLE, WS_TABSTOP, LVS_SHAREIMAGELISTS
constexpr LPARAM kStateImageMask = 0xF000;
constexpr int kCheckedImage = 2;

void EnsureListViewClass() {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

}  // namespace

ListControl::ListControl(Control& parent, DWORD view, DWORD options, DWORD extendedStyles)
    : Control(parent.App(), &parent, (EnsureListViewClass(), "SysListView32"), kListStyle | view | options),
      extendedStyles_(extendedStyles) {
    SetColorMessage(LVM_SETBKCOLOR);
    SetColor(kClWindow);
}

ListControl::~ListControl() { DestroyWindowNow(); }

void ListControl::OnWindowCreated() {
    SendMessageW(HandleIfCreated(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0x3FFF, static_cast<LPARAM>(extendedStyles_));
    SendMessageW(HandleIfCreated(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ResolveColor(BackgroundColor())));
    ApplyColumnWidth();
}

void ListControl::OnDpiChanged() { ApplyColumnWidth(); }

std::optional<LRESULT> ListControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // Wine's list view works the item width out once more at its first
        // paint with items.
        case WM_PAINT:
        case WM_SETFONT:
        case LVM_SETEXTENDEDLISTVIEWSTYLE:
        case LVM_SETIMAGELIST:
        case LVM_INSERTITEMA:
        case LVM_INSERTITEMW: {
            const LRESULT result = CallDefault(message, wParam, lParam);
            ApplyColumnWidth();
            return result;
        }
        default:
            return Control::HandleMessage(message, wParam, lParam);
    }
}

void ListControl::SetColumnWidth(int width) {
    columnWidth_ = width;
    ApplyColumnWidth();
}

int ListControl::ColumnWidth() { return static_cast<int>(SendToControl(LVM_GETCOLUMNWIDTH, 0, 0)); }

void ListControl::ApplyColumnWidth() {
    if (columnWidth_ <= 0 || !HasWindow()) return;
    const int width = Scale()(columnWidth_);
    // Setting the width repaints the list; only a change is worth that.
    if (CallDefault(LVM_GETCOLUMNWIDTH, 0, 0) != width) CallDefault(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
}

int ListControl::AddItem(const std::string& text) {
    std::wstring wide = WidenFrom(text, kCodePage1251);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ItemCount();
    item.pszText = wide.data();
    return static_cast<int>(SendToControl(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListControl::ItemCount() { return static_cast<int>(SendToControl(LVM_GETITEMCOUNT, 0, 0)); }

std::string ListControl::ItemText(int index) {
    wchar_t buffer[1024] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = 1023;
    SendToControl(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return NarrowTo(buffer, kCodePage1251);
}

bool ListControl::IsItemChecked(int index) {
    const LRESULT state = SendToControl(LVM_GETITEMSTATE, static_cast<WPARAM>(index), kStateImageMask);
    return (static_cast<UINT>(state) >> 12) == kCheckedImage;
}

void ListControl::SetItemChecked(int index, bool checked) {
    LVITEMW item = {};
    item.stateMask = kStateImageMask;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendToControl(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

ListControl& CreateListControl(Control& parent, DWORD view, DWORD options, DWORD extendedStyles) {
    return parent.Adopt(std::make_unique<ListControl>(parent, view, options, extendedStyles));
}

}  // namespace pellwise
