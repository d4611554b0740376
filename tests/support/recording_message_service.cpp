#include "tests/support/recording_message_service.h"

#include "services/text_codec.h"

namespace pellwise {

int RecordingMessageService::ShowMessageBox(const MessageText& text, unsigned flags) {
    int answer = kIdOk;
    if ((flags & kMbButtonMask) != kMbOk) {
        answer = defaultAnswer_;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    messages_.push_back({text.Bytes(), flags, answer, text});
    return answer;
}

std::vector<std::string> RecordingMessageService::Texts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages_) texts.push_back(m.text);
    return texts;
}

std::vector<std::string> RecordingMessageService::Utf8Texts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages_) {
        std::string utf8;
        for (const MessageText::Part& part : m.parts.Parts()) {
#ifdef _WIN32
            // The tests under Wine run with the windows-1251 code page.
            utf8 += Cp1251ToUtf8(part.Text);
#else
            utf8 += part.IsName ? part.Text : Cp1251ToUtf8(part.Text);
#endif
        }
        texts.push_back(utf8);
    }
    return texts;
}

}  // namespace pellwise
