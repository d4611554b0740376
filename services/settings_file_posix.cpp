#include "services/atomic_file.h"
#include "services/file_stream.h"
#include "services/ini_text.h"
#include "services/settings_file.h"

namespace pellwise {

namespace {

constexpr size_t kValueBuffer = 4096;

void ReadWholeFile(const std::string& path, std::string& text) {
    FileStream stream = FileStream::OpenForReading(path);
    text.resize(stream.Size());
    text.resize(static_cast<size_t>(stream.Read(text.data(), static_cast<int>(text.size()))));
}

}  // namespace

std::string SettingsFile::ReadString(const std::string& key, const std::string& defaultValue) {
    // A file that cannot be read reads as an empty one.
    std::string text;
    ReadWholeFile(path_, text);
    if (Mode == SettingsMode::Write) {
        WriteFileAtomically(path_, ini_text::WithValue(text, Section, key, defaultValue));
        return defaultValue;
    }
    const std::optional<std::string> value = ini_text::FindValue(text, Section, key);
    return ini_text::Deliver(value ? *value : ini_text::TrimDefault(defaultValue), kValueBuffer);
}

}  // namespace pellwise
