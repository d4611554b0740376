#pragma once

#include <string>

namespace pellwise {

// An INI file addressed by section and key, read anew on every ReadString.
// Windows uses GetPrivateProfileStringA; elsewhere a parser that follows the
// same rules: names match without regard to case, blanks around the value
// are dropped, one pair of enclosing quotes is removed, values are cut at 4095
// bytes, a missing file, section or key gives the default, and a key present
// with an empty value gives the empty text.
class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    std::string Section;

    const std::string& FileName() const { return path_; }
    std::string ReadString(const std::string& key, const std::string& defaultValue);

private:
    std::string path_;
};

inline SettingsFile OpenSettingsFile(const std::string& path) { return SettingsFile(path); }

}  // namespace pellwise
