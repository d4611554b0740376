// The INI reader over any text. A value found is a piece of the text without
// a line end or outer blanks; setting a value and reading it back gives that
// value, and leaves every other key reading as before.
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "services/ini_text.h"
#include "services/settings_file.h"
#include "services/text_codec.h"

namespace {

using namespace pellwise;
using namespace pellwise::fuzz;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperCase1251(a[i]) != UpperCase1251(b[i])) return false;
    return true;
}

bool IsPlainName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '#' ||
              c == '@' || c == '$' || c == '&'))
            return false;
    return true;
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
        if (value) {
            Expect(value->find_first_of("\r\n") == std::string::npos, "a value holds no line end");
            Expect(value->empty() || (!IsBlank(value->front()) && !IsBlank(value->back())), "a value is trimmed");
            Expect(text.find(*value) != std::string_view::npos, "a value is a piece of the text");
            Expect(ini_text::Deliver(*value, 4096).size() <= 4095, "a delivered value fits its buffer");
        }
    }
    // Setting one value changes that value alone.
    const Name& target = names.back();
    const std::string set = ini_text::WithValue(text, target.Section, target.Key, "fuzz value");
    const std::optional<std::string> readBack = ini_text::FindValue(set, target.Section, target.Key);
    if (!readBack || *readBack != "fuzz value")
        Broken("[" + target.Section + "] " + target.Key + " reads '" + readBack.value_or("<none>") + "' once set");
    for (const Name& other : names) {
        if (SameName(other.Section, target.Section) && SameName(other.Key, target.Key)) continue;
        if (ini_text::FindValue(set, other.Section, other.Key) != ini_text::FindValue(text, other.Section, other.Key))
            Broken("setting [" + target.Section + "] " + target.Key + " changed [" + other.Section + "] " + other.Key);
    }

    // The settings file reads the file the same way.
    SettingsFile file = OpenSettingsFile(WriteScratch("options.ini", text));
    file.Section = names.front().Section;
    const std::optional<std::string> value = ini_text::FindValue(text, file.Section, names.front().Key);
    Expect(file.ReadString(names.front().Key, "default") == ini_text::Deliver(value.value_or("default"), 4096),
           "ReadString delivers what the text holds");
    return 0;
}
