#include "services/ini_text.h"

#include "services/text_codec.h"

namespace pellwise::ini_text {

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string UpperName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) c = UpperCase1251(c);
    return upper;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperCase1251(a[i]) != UpperCase1251(b[i])) return false;
    return true;
}

// One line of the text, without its ending; `next` is where the next begins.
struct Line {
    std::string_view text;
    size_t next = 0;
};

Line LineAt(std::string_view text, size_t begin) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) return {text.substr(begin), text.size()};
    // A CR LF pair is one line end.
    return {text.substr(begin, end - begin), text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1};
}

// Calls `visit` with the content of every line that is not blank, in order,
// until it returns false.
template <class Visit>
void ForEachContent(std::string_view text, Visit visit) {
    for (size_t at = 0; at < text.size();) {
        const Line line = LineAt(text, at);
        at = line.next;
        const std::string_view content = Trim(line.text);
        if (!content.empty() && !visit(content)) return;
    }
}

// The name of a section header line, or nothing when the line is none.
std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find_last_of(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// Walks the lines of `text` the way the private-profile functions read them
// and stops at the first key of the asked name in the first section of the
// asked name.
std::optional<Line> Find(std::string_view text, std::string_view section, std::string_view key) {
    section = Trim(section);
    key = Trim(key);
    // Lines before the first header form a section without a name.
    enum class Where { Before, Inside, After } where = section.empty() ? Where::Inside : Where::Before;
    for (size_t at = 0; at < text.size() && where != Where::After;) {
        const Line line = LineAt(text, at);
        at = line.next;
        const std::string_view content = Trim(line.text);
        if (content.empty()) continue;
        if (const auto name = SectionName(content)) {
            if (where == Where::Inside) {
                where = Where::After;
            } else if (SameName(*name, section)) {
                where = Where::Inside;
            }
            continue;
        }
        if (where == Where::Inside && SameName(Trim(content.substr(0, content.find('='))), key)) return line;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindValue(std::string_view text, std::string_view section, std::string_view key) {
    const std::optional<Line> line = Find(text, section, key);
    if (!line) return std::nullopt;
    const std::string_view content = Trim(line->text);
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return std::string(Trim(content.substr(equals + 1)));
}

std::string Deliver(std::string_view value, size_t capacity) {
    if (capacity == 0) return "";
    const size_t room = capacity - 1;
    if (value.size() < 2 || (value.front() != '"' && value.front() != '\'') || value.back() != value.front())
        return std::string(value.substr(0, room));
    // The text after the opening quote is copied as far as it fits, and the
    // last byte copied (the closing quote when all fitted) is dropped when
    // that text is no longer than the buffer.
    const std::string_view inner = value.substr(1);
    std::string copied(inner.substr(0, room));
    if (inner.size() <= capacity && !copied.empty()) copied.pop_back();
    return copied;
}

std::optional<std::string> ByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return "UTF-8";
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") return "UTF-16";
    return std::nullopt;
}

std::string ProfileText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return Utf8ToCp1251(bytes.substr(3));
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    if (!little && bytes.substr(0, 2) != "\xFE\xFF") return std::string(bytes);
    std::u16string wide;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        wide.push_back(static_cast<char16_t>(little ? a | b << 8 : b | a << 8));
    }
    return Utf16ToCp1251(wide);
}

std::vector<std::string> KeysOf(std::string_view text, std::string_view section) {
    section = Trim(section);
    std::vector<std::string> keys;
    bool inside = section.empty(), seen = section.empty();
    ForEachContent(text, [&](std::string_view content) {
        if (const auto name = SectionName(content)) {
            if (inside) return false;
            inside = !seen && SameName(*name, section);
            seen = seen || inside;
            return true;
        }
        if (!inside) return true;
        const std::string key(Trim(content.substr(0, content.find('='))));
        bool known = false;
        for (const std::string& k : keys) known = known || SameName(k, key);
        if (!known) keys.push_back(key);
        return true;
    });
    return keys;
}

std::string TrimDefault(std::string_view defaultValue) {
    size_t n = defaultValue.size();
    while (n > 1 && defaultValue[n - 1] == ' ') --n;
    return std::string(defaultValue.substr(0, n));
}

Values::Values(std::string_view text) {
    // Lines before the first header form the section without a name; a later
    // section of a name already seen is skipped, as is a later key of a name.
    Keys* section = &sections_[""];
    ForEachContent(text, [&](std::string_view content) {
        if (const auto name = SectionName(content)) {
            const auto [it, added] = sections_.try_emplace(UpperName(*name));
            section = added ? &it->second : nullptr;
            return true;
        }
        if (section == nullptr) return true;
        const size_t equals = content.find('=');
        std::optional<std::string> value;
        if (equals != std::string_view::npos) value = std::string(Trim(content.substr(equals + 1)));
        section->try_emplace(UpperName(Trim(content.substr(0, equals))), std::move(value));
        return true;
    });
}

std::optional<std::string> Values::Find(std::string_view section, std::string_view key) const {
    const auto keys = sections_.find(UpperName(Trim(section)));
    if (keys == sections_.end()) return std::nullopt;
    const auto value = keys->second.find(UpperName(Trim(key)));
    return value == keys->second.end() ? std::nullopt : value->second;
}

}  // namespace pellwise::ini_text
