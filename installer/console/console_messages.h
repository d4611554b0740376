#pragma once

#include <iosfwd>
#include <string>

#include "services/message_service.h"

namespace pellwise {

// Messages of the run on the console's error stream, in UTF-8. A Yes/No
// question is asked when there is a terminal to answer on; without one the
// answer is No and the question is counted, so the report can say so.
class ConsoleMessages : public MessageService {
public:
    ConsoleMessages(std::ostream& err, std::istream& in, bool terminal) : err_(err), in_(in), terminal_(terminal) {}

    int ShowMessageBox(const MessageText& text, unsigned flags) override;

    int UnansweredQuestions() const { return unanswered_; }
    int Shown() const { return shown_; }

private:
    std::ostream& err_;
    std::istream& in_;
    bool terminal_;
    int unanswered_ = 0;
    int shown_ = 0;
};

}  // namespace pellwise
