#include <windows.h>

#include "services/text_codec.h"
#include "services/win32_message_service.h"

namespace pellwise {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

int Win32MessageService::ShowMessageBox(const std::string& text, unsigned flags) {
    const std::u16string wideText = Cp1251ToUtf16(text);
    const std::u16string wideCaption = Cp1251ToUtf16(caption_);
    return MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(wideText.c_str()),
                       caption_.empty() ? nullptr : reinterpret_cast<const wchar_t*>(wideCaption.c_str()), flags);
}

}  // namespace pellwise
