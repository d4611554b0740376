#include "installer/console/console_messages.h"

#include <istream>
#include <ostream>

#include "installer/console/native_text.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

const char* Prefix(unsigned flags) {
    switch (flags & kMbIconMask) {
        case kMbIconError:
            return "error: ";
        case kMbIconWarning:
            return "warning: ";
        case kMbIconQuestion:
            return "question: ";
        default:
            return "";
    }
}

// The program's words are windows-1251, names are in the system's encoding;
// the console speaks UTF-8 with a line feed for each line.
std::string ToUtf8(const MessageText& text) {
    std::string out;
    for (const MessageText::Part& part : text.Parts())
        out += part.IsName ? NativeToUtf8(part.Text) : Cp1251ToUtf8(part.Text);
    for (char& c : out)
        if (c == '\r') c = '\n';
    return out;
}

bool IsYes(const std::string& line) {
    const std::string answer = Utf8ToCp1251(line);
    if (answer.empty()) return false;
    const char c = UpperCase1251(answer[0]);
    return c == 'Y' || c == Ru("Д")[0];
}

}  // namespace

int ConsoleMessages::ShowMessageBox(const MessageText& text, unsigned flags) {
    ++shown_;
    err_ << Prefix(flags) << ToUtf8(text);
    if ((flags & kMbButtonMask) != kMbYesNo) {
        err_ << '\n';
        return kIdOk;
    }
    if (!terminal_) {
        ++unanswered_;
        err_ << "\n(no terminal to answer on: No)\n";
        return kIdNo;
    }
    err_ << " [y/N] " << std::flush;
    std::string line;
    std::getline(in_, line);
    return IsYes(line) ? kIdYes : kIdNo;
}

}  // namespace pellwise
