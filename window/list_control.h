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

protected:
    void OnWindowCreated() override;

private:
    DWORD extendedStyles_;
};

ListControl& CreateListControl(Control& parent, DWORD view, DWORD options, DWORD extendedStyles);

}  // namespace pellwise
