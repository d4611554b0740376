#pragma once

#include "services/message_text.h"

namespace pellwise {

// Flags and results of a message box, with the values Windows gives them, so
// the Win32 implementation passes them through unchanged.
inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbYesNo = 0x04;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbIconMask = 0xF0;
inline constexpr unsigned kMbButtonMask = 0x0F;

inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// The one way the program shows a message or asks a question.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int ShowMessageBox(const MessageText& text, unsigned flags) = 0;
};

}  // namespace pellwise
