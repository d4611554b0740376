#pragma once

#include <iosfwd>
#include <string>

#include "services/message_service.h"

namespace pellwise {

// Messages for a console program: the text goes to the error stream in UTF-8,
// every carriage return (with or without a line feed after it) showing as a
// line break. A question is asked on the terminal when there is one; else, or
// when the terminal gives no answer, the preset answer is taken and shown.
// The front end sets the preset answer, and may change it between the phases
// of a run; at first it is kIdNo, which never replaces anything.
class ConsoleMessageService : public MessageService {
public:
    // stderr, and stdin when it is a terminal.
    ConsoleMessageService();
    ConsoleMessageService(std::ostream& out, std::istream& in, bool interactive);

    int ShowMessageBox(const std::string& text, unsigned flags) override;

    void SetPresetAnswer(int answer) { presetAnswer_ = answer; }
    int PresetAnswer() const { return presetAnswer_; }

private:
    int Ask();

    std::ostream& out_;
    std::istream& in_;
    bool interactive_;
    int presetAnswer_ = kIdNo;
};

// windows-1251 text as the console shows it: UTF-8, CR and CR LF as LF.
std::string ConsoleText(const std::string& text);

// Whether the standard input is a terminal that a question can be asked on.
bool StandardInputIsTerminal();

}  // namespace pellwise
