#pragma once

#include <memory>
#include <string>

namespace pellwise {

namespace ini_text {
class Values;
}

// An INI file addressed by section and key. Windows uses
// GetPrivateProfileStringA, which keeps the file it has read; elsewhere the
// file is read and walked once, at the first ReadString, by a parser that
// follows the same rules: names match without regard to case, blanks around the value
// are dropped, one pair of enclosing quotes is removed, values are cut at 4095
// bytes, a missing file, section or key gives the default, and a key present
// with an empty value gives the empty text.
class SettingsFile {
public:
    explicit SettingsFile(std::string path);
    ~SettingsFile();
    SettingsFile(SettingsFile&&) noexcept;
    SettingsFile& operator=(SettingsFile&&) noexcept;

    std::string Section;

    const std::string& FileName() const { return path_; }
    std::string ReadString(const std::string& key, const std::string& defaultValue);

private:
    std::string path_;
    std::unique_ptr<const ini_text::Values> values_;  // the file as read, where it is read once
};

inline SettingsFile OpenSettingsFile(const std::string& path) { return SettingsFile(path); }

}  // namespace pellwise
