#pragma once

#include <deque>
#include <string>
#include <vector>

#include "services/message_service.h"

namespace pellwise {

struct RecordedMessage {
    std::string text;  // the parts' bytes, as the caller gave them
    unsigned flags = 0;
    int answer = 0;  // what the box returned
    MessageText parts;
};

// Shows nothing: keeps every box for the test to look at and answers from a
// script. A box with only an OK button answers kIdOk and takes no scripted
// answer; a question takes the next queued answer, or the default answer
// (kIdNo unless set) when the queue is empty.
class RecordingMessageService : public MessageService {
public:
    int ShowMessageBox(const MessageText& text, unsigned flags) override;

    void QueueAnswer(int answer) { answers_.push_back(answer); }
    void SetDefaultAnswer(int answer) { defaultAnswer_ = answer; }
    int QueuedAnswers() const { return static_cast<int>(answers_.size()); }

    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    int Count() const { return static_cast<int>(messages_.size()); }
    std::vector<std::string> Texts() const;
    // The texts converted to UTF-8, for readable test expectations.
    std::vector<std::string> Utf8Texts() const;
    void Clear() { messages_.clear(); }

private:
    std::vector<RecordedMessage> messages_;
    std::deque<int> answers_;
    int defaultAnswer_ = kIdNo;
};

}  // namespace pellwise
