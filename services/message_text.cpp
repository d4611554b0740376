#include "services/message_text.h"

namespace pellwise {

void MessageText::Append(std::string text, bool isName) {
    if (text.empty()) return;
    // Neighbours of one kind become one part, so a text built piece by piece
    // compares and converts as a whole.
    if (!parts_.empty() && parts_.back().IsName == isName) {
        parts_.back().Text += text;
        return;
    }
    parts_.push_back({std::move(text), isName});
}

MessageText& MessageText::operator+=(MessageText other) {
    for (Part& part : other.parts_) Append(std::move(part.Text), part.IsName);
    return *this;
}

std::string MessageText::Bytes() const {
    std::string bytes;
    for (const Part& part : parts_) bytes += part.Text;
    return bytes;
}

}  // namespace pellwise
