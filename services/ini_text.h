#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellwise::ini_text {

// The INI reading rules of the Windows private-profile functions, over the
// text of a whole file:
// - a line ends at every CR and every LF;
// - blanks (space, tab, CR, LF, VT, FF and the DOS end-of-file byte 0x1A) around
//   a line, a section name, a key name and a value do not count;
// - "[name]" opens a section named by what stands between the '[' and the last
//   ']' of the line; a line with '[' but no ']' is an ordinary line;
// - other lines are "key=value", split at the first '='; a line without '='
//   names a key without a value;
// - only the first section of a name counts, and in it the first key of a name;
//   both are matched without regard to case, the asked names without their
//   outer blanks; lines before the first section are in a section without a
//   name.
// The value, or nothing when the section or key is missing or the key has no
// '='.
std::optional<std::string> FindValue(std::string_view text, std::string_view section, std::string_view key);

// What GetPrivateProfileString delivers for a found value, or for the default
// of a missing key or file, into a buffer of `capacity` bytes: one pair of enclosing
// quotes (both ' or both ") dropped, and the text cut at capacity - 1 bytes.
std::string Deliver(std::string_view value, size_t capacity);

// The text of a file as the private-profile functions see it: a file that
// starts with a byte-order mark is read in that encoding (UTF-8, UTF-16 LE or
// BE) and handed on in the ANSI code page, here windows-1251; any other file
// is taken byte for byte.
std::string ProfileText(std::string_view bytes);

// The byte-order mark a file starts with ("UTF-8", "UTF-16"), or nothing.
std::optional<std::string> ByteOrderMark(std::string_view bytes);

// Every key of the first section of that name, in file order, each once
// (the first of a name counts); keys without '=' too.
std::vector<std::string> KeysOf(std::string_view text, std::string_view section);

// GetPrivateProfileString drops trailing spaces of the default, but never its
// first character.
std::string TrimDefault(std::string_view defaultValue);

// Every value of a text walked once, for a file asked many times: Find gives
// what FindValue gives for the same text, section and key.
class Values {
public:
    explicit Values(std::string_view text);
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

private:
    // Keyed by the names in upper case and without their outer blanks; a key
    // without '=' holds nothing.
    using Keys = std::unordered_map<std::string, std::optional<std::string>>;
    std::unordered_map<std::string, Keys> sections_;
};

}  // namespace pellwise::ini_text
