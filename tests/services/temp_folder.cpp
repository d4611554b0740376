#include "temp_folder.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace pellwise::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device random;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        std::ostringstream name;
        name << "pellwise-test-" << std::hex << stamp << "-" << random();
        root_ = fs::temp_directory_path() / name.str();
        if (fs::create_directory(root_)) return;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Read-only entries must become writable before Windows lets them go.
    for (const auto& entry : fs::recursive_directory_iterator(root_, ignored))
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
}

std::string TempFolder::Path(std::string_view name) const { return (root_ / "").string() + std::string(name); }

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

void MakeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

void MakeWritable(const std::string& path) { fs::permissions(path, fs::perms::owner_write, fs::perm_options::add); }

}  // namespace pellwise::testing
