#include "installer_test_support.h"

#include <algorithm>
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

static std::string Generic(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
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
    std::ofstream out(Native(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(Native(path), ec);
}

void RemovePath(const std::string& path) {
    std::error_code ec;
    fs::remove_all(Native(path), ec);
}

void MakeFolder(const std::string& path) {
    RemovePath(path);
    std::error_code ec;
    fs::create_directories(Native(path), ec);
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Native(folder))) {
        const std::string rel = Generic(entry.path().lexically_relative(Native(folder)));
        if (entry.is_directory())
            files[rel + "/"] = "";
        else
            files[rel] = ReadAll(entry.path());
    }
    return files;
}

static uint32_t U32At(const std::string& b, size_t at) {
    if (at + 4 > b.size()) return 0;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
    return v;
}

static uint16_t U16At(const std::string& b, size_t at) {
    if (at + 2 > b.size()) return 0;
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

static std::string CString(const std::string& b, size_t at, size_t max) {
    std::string s;
    for (size_t i = at; i < b.size() && i < at + max && b[i] != '\0'; ++i) s += b[i];
    return s;
}

// The names as the sample lays them out: objects name their 0x0010 chunk
// first or second, definitions their first nested chunk, 0xAE51 entries a
// length-prefixed field at offset 7.
static std::string NameOf(const std::string& c) {
    const uint16_t id = U16At(c, 0);
    if (id == 0x4010) {
        size_t at = 6;
        if (U16At(c, at) != 0x0010) at += U32At(c, at + 2);
        return CString(c, at + 6, U32At(c, at + 2) - 6);
    }
    if (id == 0xAE21) return CString(c, 12, U32At(c, 8) - 6);
    if (id == 0xAE51) return CString(c, 11, U32At(c, 7));
    return "NoName";
}

const ParsedSection& ParsedScene::Section(uint16_t id) const {
    for (const ParsedSection& section : Sections)
        if (section.Id == id) return section;
    throw std::out_of_range("no such section");
}

std::vector<std::string> ParsedScene::Names(uint16_t section) const {
    std::vector<std::string> names;
    for (const ParsedSection& s : Sections)
        for (const ParsedChunk& c : s.Chunks)
            if (s.Id == section) names.push_back(c.Name);
    return names;
}

std::vector<size_t> ParsedScene::Boundaries() const {
    std::vector<size_t> at{6};
    at.insert(at.end(), HeadChunks.begin(), HeadChunks.end());
    for (const ParsedSection& section : Sections) {
        at.push_back(section.Offset);
        at.push_back(section.Offset + 6);
        for (const ParsedChunk& c : section.Chunks) at.push_back(c.Offset);
    }
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    return at;
}

ParsedScene ParseScene(const std::string& b) {
    ParsedScene scene;
    if (U16At(b, 0) != 0x4C53) return scene;
    scene.TotalSize = U32At(b, 2);
    size_t at = 6;
    auto isSection = [](uint16_t id) { return id == 0x4000 || id == 0xAE20 || id == 0xAE50 || id == 0xAE02; };
    for (; at + 6 <= b.size() && !isSection(U16At(b, at)); at += U32At(b, at + 2)) {
        if (U32At(b, at + 2) < 6) return scene;
        scene.HeadChunks.push_back(at);
    }
    while (at + 6 <= b.size()) {
        const uint32_t size = U32At(b, at + 2);
        if (size < 6 || at + size > b.size()) return scene;
        ParsedSection& section = scene.Sections.emplace_back(ParsedSection{U16At(b, at), at, {}});
        for (size_t c = at + 6; c + 6 <= at + size;) {
            const uint32_t chunkSize = U32At(b, c + 2);
            if (chunkSize < 6 || c + chunkSize > at + size) return scene;
            ParsedChunk chunk{c, {}, b.substr(c, chunkSize)};
            chunk.Name = NameOf(chunk.Bytes);
            section.Chunks.push_back(std::move(chunk));
            c += chunkSize;
        }
        at += size;
    }
    scene.Ok = at == b.size() && scene.TotalSize == b.size();
    return scene;
}

std::vector<SampleTextEntry> ParseTextDb(const std::string& b) {
    std::vector<SampleTextEntry> entries;
    const uint32_t count = U32At(b, 0);
    for (uint32_t i = 0; i < count && 16 + 8 * i <= b.size(); ++i)
        entries.push_back({U32At(b, 8 + 8 * i), CString(b, U32At(b, 12 + 8 * i), b.size())});
    return entries;
}

static SampleOptions SmallGame() {
    SampleOptions options;
    options.Missions = 2;
    options.SceneSize = 3000;
    options.TextDbEntries = 150;
    return options;
}

static std::string GameFolder() {
    const std::string cyrillic = NativeFromUtf8("Мафия 1.0 игра");
    return NativeToUtf8(cyrillic) == "Мафия 1.0 игра" ? cyrillic : "Mafia 1.0 game";
}

HostileGame::HostileGame(const std::string& name) : Sample(name, SmallGame(), GameFolder()) {}

std::vector<std::string> HostileGame::InstallArgs(std::vector<std::string> missions) const {
    missions.insert(missions.end(), {"--overwrite", "yes", "--replace-files", "yes"});
    return testing::InstallArgs(Game, missions);
}

void HostileGame::SetHostile(const std::string& path, const std::string& bytes) {
    WriteFile(path, bytes);
    Hostile = path;
}

}  // namespace pellwise::testing
