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

bool IsYes(const std::string& line) {
    const std::string answer = Utf8ToCp1251(line);
    if (answer.empty()) return false;
    const char c = UpperCase1251(answer[0]);
    return c == 'Y' || c == Ru("Д")[0];
}

}  // namespace

std::string ConsoleMessages::ToUtf8(const std::string& text) const {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        // A path runs from one of the folders to the end of its line.
        size_t pathAt = std::string::npos;
        for (const std::string& folder : folders_) {
            const size_t at = folder.empty() ? std::string::npos : text.find(folder, i);
            if (at < pathAt) pathAt = at;
        }
        const size_t textEnd = pathAt == std::string::npos ? text.size() : pathAt;
        out += Cp1251ToUtf8(text.substr(i, textEnd - i));
        if (textEnd == text.size()) break;
        size_t lineEnd = text.find('\r', textEnd);
        if (lineEnd == std::string::npos) lineEnd = text.size();
        out += NativeToUtf8(text.substr(textEnd, lineEnd - textEnd));
        i = lineEnd;
    }
    for (char& c : out)
        if (c == '\r') c = '\n';
    return out;
}

int ConsoleMessages::ShowMessageBox(const std::string& text, unsigned flags) {
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
