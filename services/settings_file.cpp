#include "services/settings_file.h"

#include "services/ini_text.h"

namespace pellwise {

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}
SettingsFile::~SettingsFile() = default;
SettingsFile::SettingsFile(SettingsFile&&) noexcept = default;
SettingsFile& SettingsFile::operator=(SettingsFile&&) noexcept = default;

}  // namespace pellwise
