#include <windows.h>

#include "services/win32_message_service.h"
#include "services/win32_text.h"

namespace pellwise {

int Win32MessageService::ShowMessageBox(const MessageText& text, unsigned flags) {
    // The program's words are windows-1251 on every system; names are in
    // the system's own code page, so "Jürgen" stays "Jürgen" on a Western one.
    std::wstring wideText;
    for (const MessageText::Part& part : text.Parts())
        wideText += part.IsName ? WidenFrom(part.Text, CP_ACP) : WidenFrom(part.Text, kCodePage1251);
    const std::wstring wideCaption = WidenFrom(caption_, kCodePage1251);
    return MessageBoxW(nullptr, wideText.c_str(), caption_.empty() ? nullptr : wideCaption.c_str(), flags);
}

}  // namespace pellwise
