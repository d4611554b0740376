#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pellwise {

// A name as the system spells it: a path or a mission folder, in the system's
// encoding (the ANSI code page on Windows, UTF-8 elsewhere).
struct SystemName {
    std::string Text;
};

// The text of a message in parts. The program's own words are windows-1251;
// the names in it stay separate until a front end shows them, so that each
// part is converted with its own code page and a path shows as the system
// spells it, whatever the code page. A carriage return alone starts a line.
class MessageText {
public:
    struct Part {
        std::string Text;
        bool IsName = false;
    };

    MessageText() = default;
    MessageText(std::string words) { Append(std::move(words), false); }
    MessageText(const char* words) : MessageText(std::string(words)) {}
    MessageText(SystemName name) { Append(std::move(name.Text), true); }

    MessageText& operator+=(MessageText other);
    const std::vector<Part>& Parts() const { return parts_; }
    bool Empty() const { return parts_.empty(); }
    // Every part's bytes one after the other, unconverted.
    std::string Bytes() const;

private:
    void Append(std::string text, bool isName);

    std::vector<Part> parts_;
};

// Any two of words, names and texts, as one text.
inline MessageText operator+(MessageText a, MessageText b) { return a += std::move(b); }

}  // namespace pellwise
