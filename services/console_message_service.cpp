#include "services/console_message_service.h"

#include <iostream>

#include "services/text_codec.h"

namespace pellwise {

namespace {

const char* AnswerName(int answer) { return answer == kIdYes ? "Yes" : "No"; }

// y, yes, д, да and n, no, н, нет, in either case; anything else is no answer.
int ParseAnswer(const std::string& line) {
    std::string word;
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r') word += c;
    const std::string lower = LowerCase(Utf8ToCp1251(word));
    if (lower == "y" || lower == "yes" || lower == Ru("д") || lower == Ru("да")) return kIdYes;
    if (lower == "n" || lower == "no" || lower == Ru("н") || lower == Ru("нет")) return kIdNo;
    return 0;
}

}  // namespace

ConsoleMessageService::ConsoleMessageService()
    : ConsoleMessageService(std::cerr, std::cin, StandardInputIsTerminal()) {}

ConsoleMessageService::ConsoleMessageService(std::ostream& out, std::istream& in, bool interactive)
    : out_(out), in_(in), interactive_(interactive) {}

int ConsoleMessageService::ShowMessageBox(const std::string& text, unsigned flags) {
    out_ << ConsoleText(text) << '\n';
    if ((flags & kMbButtonMask) == kMbOk) {
        out_.flush();
        return kIdOk;
    }
    const int answer = interactive_ ? Ask() : 0;
    if (answer != 0) return answer;
    out_ << "-> " << AnswerName(presetAnswer_) << " (preset answer)\n";
    out_.flush();
    return presetAnswer_;
}

int ConsoleMessageService::Ask() {
    std::string line;
    for (;;) {
        out_ << "[y/n] ";
        out_.flush();
        if (!std::getline(in_, line)) {
            out_ << '\n';
            return 0;
        }
        if (const int answer = ParseAnswer(line)) return answer;
    }
}

std::string ConsoleText(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
            continue;
        }
        lines += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return Cp1251ToUtf8(lines);
}

}  // namespace pellwise
