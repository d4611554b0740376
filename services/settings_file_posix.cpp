#include "services/ini_text.h"
#include "services/settings_file.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

constexpr size_t kValueBuffer = 4096;

// The file's text as the private-profile functions see it; a file that
// cannot be read reads as an empty one.
std::string ProfileTextOf(const std::optional<std::vector<uint8_t>>& bytes) {
    return bytes ? ini_text::ProfileText({reinterpret_cast<const char*>(bytes->data()), bytes->size()}) : std::string();
}

}  // namespace

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) {
    // A mod's NewTexts.ini is asked once per text marker: reading and walking
    // it anew each time would make the install's cost grow with the square of
    // its texts.
    if (!values_) values_ = std::make_unique<const ini_text::Values>(ProfileTextOf(ReadWholeFile(path_)));
    const std::optional<std::string> value = values_->Find(Section, key);
    return ini_text::Deliver(value ? *value : ini_text::TrimDefault(defaultValue), kValueBuffer);
}

}  // namespace pellwise
