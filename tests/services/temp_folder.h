#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pellwise::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder ending in a separator, or a name inside it.
    std::string Path(std::string_view name = "") const;

private:
    std::filesystem::path root_;
};

void WriteBytes(const std::string& path, std::string_view bytes);
// The whole file, or "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
void MakeReadOnly(const std::string& path);
void MakeWritable(const std::string& path);

}  // namespace pellwise::testing
