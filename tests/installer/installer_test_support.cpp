#include "installer_test_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "installer/console/console.h"
#include "installer/console/native_text.h"
#include "services/paths.h"

namespace pellwise::testing {

namespace fs = std::filesystem;

Scratch::Scratch(const std::string& name) {
    path_ = CurrentFolder() + "installer-scratch" + kPathSeparator + name + kPathSeparator;
    std::error_code ec;
    fs::remove_all(fs::path(path_), ec);
    fs::create_directories(fs::path(path_), ec);  // the names are ASCII
}

Scratch::~Scratch() {
    std::error_code ec;
    fs::remove_all(fs::path(path_), ec);
}

Sample::Sample(const std::string& name, const SampleOptions& options, const std::string& folder) : Folder(name) {
    std::string error;
    if (!GenerateSampleGame(Folder.Path() + folder, options, Game, error)) throw std::runtime_error(error);
}

ConsoleRun Pellwise(const std::vector<std::string>& args, const std::string& cwd, bool terminal,
                    const std::string& input) {
    std::ostringstream out, err;
    std::istringstream in(input);
    ConsoleIo io{out, err, in, terminal, cwd.empty() ? CurrentFolder() : cwd};
    const int status = RunConsole(args, io);
    return {status, out.str(), err.str()};
}

std::vector<std::string> InstallArgs(const SampleGame& game, std::vector<std::string> more) {
    std::vector<std::string> args = {"install", "--game", NativeToUtf8(game.GameDir), "--mod",
                                     NativeToUtf8(game.ModDir)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Test files are opened through std::filesystem so that names outside ASCII
// reach the system intact on Windows too.
static fs::path Native(const std::string& path) {
    const std::string utf8 = NativeToUtf8(path);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ReadFile(const std::string& path) { return ReadAll(Native(path)); }

void WriteFile(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(Native(path).parent_path(), ec);
    std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemovePath(const std::string& path) {
    std::error_code ec;
    fs::remove_all(Native(path), ec);
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Native(folder))) {
        const std::u8string relative = entry.path().lexically_relative(Native(folder)).generic_u8string();
        const std::string rel(relative.begin(), relative.end());
        if (entry.is_directory())
            files[rel + "/"] = "";
        else
            files[rel] = ReadAll(entry.path());
    }
    return files;
}

std::map<std::string, std::string> GameSnapshot(const std::string& folder) {
    std::map<std::string, std::string> files = Snapshot(folder);
    std::erase_if(files, [](const auto& file) { return file.first.starts_with("pellwise-backup/"); });
    return files;
}

void MakeReadOnly(const std::string& path) {
    fs::permissions(Native(path), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

void MakeWritable(const std::string& path) {
    fs::permissions(Native(path), fs::perms::owner_write, fs::perm_options::add);
}

static std::string GameFolder() {
    const std::string cyrillic = NativeFromUtf8("Мафия 1.0 игра");
    return NativeToUtf8(cyrillic) == "Мафия 1.0 игра" ? cyrillic : "Mafia 1.0 game";
}

HostileGame::HostileGame(const std::string& name)
    : Sample(name, {.Missions = 2, .SceneSize = 3000, .TextDbEntries = 150, .MissionNames = {}}, GameFolder()) {}

}  // namespace pellwise::testing
