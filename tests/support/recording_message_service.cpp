#include "tests/support/recording_message_service.h"

#include "services/text_codec.h"

namespace pellwise {

int RecordingMessageService::ShowMessageBox(const std::string& text, unsigned flags) {
    int answer = kIdOk;
    if ((flags & kMbButtonMask) != kMbOk) {
        answer = defaultAnswer_;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    messages_.push_back({text, flags, answer});
    return answer;
}

std::vector<std::string> RecordingMessageService::Texts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages_) texts.push_back(m.text);
    return texts;
}

std::vector<std::string> RecordingMessageService::Utf8Texts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : messages_) texts.push_back(Cp1251ToUtf8(m.text));
    return texts;
}

}  // namespace pellwise
