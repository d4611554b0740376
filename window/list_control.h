#pragma once

#include <windows.h>

#include <string>

#include "window/control.h"

namespace pellwise {

// The system list view; with LVS_EX_CHECKBOXES among the extended styles its
// items carry check boxes.
class ListControl : public Control {
public:
    ListControl(Control& parent, DWORD view, DWORD options, DWORD extendedStyles);
    ~ListControl() override;

    int AddItem(const std::string& text);
    int ItemCount();
    std::string ItemText(int index);
    // Checked is state image 2, unchecked 1.
    bool IsItemChecked(int index);
    void SetItemChecked(int index, bool checked);
    // The width of the list's columns, in pixels at 96 DPI. The list view
    // works its item width out anew when its font, styles or items change,
    // so the width is put back after each of them.
    void SetColumnWidth(int width);
    int ColumnWidth();

protected:
    void OnWindowCreated() override;
    void OnDpiChanged() override;
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyColumnWidth();

    DWORD extendedStyles_;
    int columnWidth_ = 0;
};

ListControl& CreateListControl(Control& parent, DWORD view, DWORD options, DWORD extendedStyles);

}  // namespace pellwise
