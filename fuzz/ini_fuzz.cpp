// The INI reader over any text: a value found holds no line end and no outer
// blanks.
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "services/ini_text.h"

namespace {

using namespace pellwise;
using namespace pellwise::fuzz;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

// Names the reader is asked for as they stand: no blanks, brackets or '='.
bool IsPlainName(std::string_view name) {
    return !name.empty() &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_#@$&") ==
               std::string_view::npos;
}

struct Name {
    std::string Section, Key;
};

// Section and key names the text itself uses (plain ones only), and those the
// installer asks for.
std::vector<Name> NamesIn(std::string_view text) {
    std::vector<Name> names{{"texts", "#@$&000001"}, {"Captions", "Title"}, {"Help", "help@web"}};
    std::string section;
    size_t begin = 0;
    while (begin < text.size() && names.size() < 12) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(begin, end - begin);
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = std::string(line.substr(1, line.size() - 2));
        } else if (const size_t eq = line.find('='); eq != std::string_view::npos) {
            if (IsPlainName(section) && IsPlainName(line.substr(0, eq)))
                names.push_back({section, std::string(line.substr(0, eq))});
        }
        begin = end + 1;
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<Name> names = NamesIn(text);
    for (const Name& name : names) {
        const std::optional<std::string> value = ini_text::FindValue(text, name.Section, name.Key);
        if (!value) continue;
        Expect(value->find_first_of("\r\n") == std::string::npos, "a value holds no line end");
        Expect(value->empty() || (!IsBlank(value->front()) && !IsBlank(value->back())), "a value is trimmed");
    }
    return 0;
}
