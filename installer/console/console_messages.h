#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "services/message_service.h"

namespace pellwise {

// Messages of the run on the console's error stream, in UTF-8. A Yes/No
// question is asked when there is a terminal to answer on; without one the
// answer is No and the question is counted, so the report can say so.
class ConsoleMessages : public MessageService {
public:
    ConsoleMessages(std::ostream& err, std::istream& in, bool terminal) : err_(err), in_(in), terminal_(terminal) {}

    // Messages carry windows-1251 text with file paths appended; text from
    // one of these folders on is a path in the system's encoding.
    void SetPathFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }

    int ShowMessageBox(const std::string& text, unsigned flags) override;

    int UnansweredQuestions() const { return unanswered_; }
    int Shown() const { return shown_; }

private:
    std::string ToUtf8(const std::string& text) const;

    std::ostream& err_;
    std::istream& in_;
    bool terminal_;
    std::vector<std::string> folders_;
    int unanswered_ = 0;
    int shown_ = 0;
};

}  // namespace pellwise
