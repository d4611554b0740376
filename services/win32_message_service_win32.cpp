#include <windows.h>

#include "services/text_codec.h"
#include "services/win32_message_service.h"
#include "services/win32_text.h"

namespace pellwise {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

namespace {

std::wstring Wide(const std::string& cp1251) {
    const std::u16string wide = Cp1251ToUtf16(cp1251);
    return std::wstring(wide.begin(), wide.end());
}

}  // namespace

int Win32MessageService::ShowMessageBox(const MessageText& text, unsigned flags) {
    // The program's words are windows-1251 on every system; names are in
    // the system's own code page, so "Jürgen" stays "Jürgen" on a Western one.
    std::wstring wideText;
    for (const MessageText::Part& part : text.Parts())
        wideText += part.IsName ? WidenFrom(part.Text, CP_ACP) : Wide(part.Text);
    const std::wstring wideCaption = Wide(caption_);
    return MessageBoxW(nullptr, wideText.c_str(), caption_.empty() ? nullptr : wideCaption.c_str(), flags);
}

}  // namespace pellwise
