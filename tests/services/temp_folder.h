#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace pellwise::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        do {
            root_ = std::filesystem::temp_directory_path() /
                    ("pellwise-test-" + std::to_string(stamp) + "-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(root_));
    }
    ~TempFolder() {
        std::error_code ignored;
        // Read-only entries must become writable before Windows lets them go.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder ending in a separator, or a name inside it.
    std::string Path(std::string_view name = "") const { return (root_ / "").string() + std::string(name); }

private:
    std::filesystem::path root_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The whole file, or "<missing>" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

inline void MakeReadOnly(const std::string& path) {
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
}

}  // namespace pellwise::testing
