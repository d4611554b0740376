#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "window/control.h"

namespace pellwise {

// The system's rich edit control, of the first library that loads.
class RichTextView : public Control {
public:
    RichTextView(Control& parent, DWORD options);
    ~RichTextView() override;

    // Marks web addresses as links; a link handler, when set, hears of mouse
    // moves and button presses over them with the link's text.
    void SetAutoUrlDetect(bool on);
    void SetLinkHandler(std::function<void(UINT mouseMessage, const std::string& link)> handler) {
        onLink_ = std::move(handler);
    }
    // Replaces the content with rich text (RTF bytes).
    void LoadRichText(std::string_view rtf);

protected:
    void OnWindowCreated() override;

private:
    bool autoUrl_ = false;
    bool linkHook_ = false;
    std::function<void(UINT, const std::string&)> onLink_;
};

RichTextView& CreateRichTextView(Control& parent, DWORD options);

}  // namespace pellwise
