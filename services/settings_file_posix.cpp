#include "services/ini_text.h"
#include "services/settings_file.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

constexpr size_t kValueBuffer = 4096;

std::string_view TextOf(const std::optional<std::vector<uint8_t>>& bytes) {
    // A file that cannot be read reads as an empty one.
    return bytes ? std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : std::string_view();
}

}  // namespace

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) {
    // A mod's NewTexts.ini is asked once per text marker: reading and walking
    // it anew each time would make the install's cost grow with the square of
    // its texts.
    if (!values_) values_ = std::make_unique<const ini_text::Values>(TextOf(ReadWholeFile(path_)));
    const std::optional<std::string> value = values_->Find(Section, key);
    return ini_text::Deliver(value ? *value : ini_text::TrimDefault(defaultValue), kValueBuffer);
}

}  // namespace pellwise
