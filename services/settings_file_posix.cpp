#include "services/atomic_file.h"
#include "services/ini_text.h"
#include "services/settings_file.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

constexpr size_t kValueBuffer = 4096;

}  // namespace

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) {
    // A file that cannot be read reads as an empty one.
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path_);
    const std::string file =
        bytes ? ini_text::ProfileText({reinterpret_cast<const char*>(bytes->data()), bytes->size()}) : std::string();
    const std::string_view text = file;
    if (Mode == SettingsMode::Write) {
        WriteFileAtomically(path_, ini_text::WithValue(text, Section, key, defaultValue));
        return defaultValue;
    }
    const std::optional<std::string> value = ini_text::FindValue(text, Section, key);
    return ini_text::Deliver(value ? *value : ini_text::TrimDefault(defaultValue), kValueBuffer);
}

}  // namespace pellwise
