#pragma once

#include <string>

#include "services/message_service.h"

namespace pellwise {

// The Windows message box: no owner window, the caller's flags unchanged,
// the program's words converted from windows-1251 so that Cyrillic shows
// whatever the system's code page, and names from the system's code page. The caption is the application's title
// ("Pellwise" once the application exists); an empty caption gives the system's default. Built for Windows only.
class Win32MessageService : public MessageService {
public:
    explicit Win32MessageService(std::string caption = "") : caption_(std::move(caption)) {}

    int ShowMessageBox(const MessageText& text, unsigned flags) override;

    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    const std::string& Caption() const { return caption_; }

private:
    std::string caption_;  // windows-1251
};

}  // namespace pellwise
