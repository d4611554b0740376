#include "hostile_input_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "installer/console/native_text.h"
#include "services/paths.h"

namespace pellwise::testing {

namespace fs = std::filesystem;

namespace {

fs::path Native(const std::string& path) {
    const std::string utf8 = NativeToUtf8(path);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool IsSectionId(uint16_t id) { return id == 0x4000 || id == 0xAE20 || id == 0xAE50 || id == 0xAE02; }

uint16_t U16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

}  // namespace

HostileGame::HostileGame(const std::string& name, std::vector<std::string> missionNames) : folder_(name) {
    SampleOptions options;
    options.Missions = 2;
    options.SceneSize = 3000;
    options.TextDbEntries = 150;
    options.MissionNames = std::move(missionNames);
    std::string error;
    // A game folder with blanks and Cyrillic letters when the system can name one.
    std::string gameFolder = NativeFromUtf8("Мафия 1.0 игра");
    if (NativeToUtf8(gameFolder) != "Мафия 1.0 игра") gameFolder = "Mafia 1.0 game";
    if (!GenerateSampleGame(folder_.Path() + gameFolder, options, game_, error)) throw std::runtime_error(error);
    originalScene_ = ReadFile(ScenePath());
}

std::string HostileGame::Game(const std::string& relative) const { return JoinPath(game_.GameDir, relative); }
std::string HostileGame::Mod(const std::string& relative) const { return JoinPath(game_.ModDir, relative); }
std::string HostileGame::LastOutput() const { return ReadFile(OutputPath()); }

std::string HostileGame::FirstMission() const { return NativeToUtf8(game_.Missions.at(0).Name); }

void HostileGame::SetHostile(const std::string& path, const std::string& bytes) {
    WriteFile(path, bytes);
    hostile_ = path;
}

void HostileGame::HoldLock() {
    if (lockPath_.empty()) return;
    lock_ = std::make_unique<LockedFile>(lockPath_);
    EXPECT_TRUE(lock_->Held()) << "could not lock " << lockPath_;
}

void HostileGame::RemoveObjectFiles() {
    for (const SampleObjectFile& file : game_.ObjectFiles) RemovePath(Mod("DATA/" + file.FileName));
}

std::vector<std::string> HostileGame::InstallArgs(std::vector<std::string> missions) const {
    missions.insert(missions.end(), {"--overwrite", "yes", "--replace-files", "yes"});
    return testing::InstallArgs(game_, missions);
}

const SceneLayout::Part& SceneLayout::Section(uint16_t id) const {
    for (const Part& part : Sections)
        if (part.Id == id) return part;
    throw std::out_of_range("no such section");
}

std::vector<size_t> SceneLayout::Boundaries() const {
    std::vector<size_t> at{6};
    at.insert(at.end(), HeadChunks.begin(), HeadChunks.end());
    for (const Part& part : Sections) {
        at.push_back(part.Offset);
        at.push_back(part.Offset + 6);
        at.insert(at.end(), part.Chunks.begin(), part.Chunks.end());
    }
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    return at;
}

SceneLayout Layout(const std::string& scene) {
    SceneLayout layout;
    size_t pos = 6;
    while (pos + 6 <= scene.size() && !IsSectionId(U16(scene, pos))) {
        layout.HeadChunks.push_back(pos);
        pos += std::max<uint32_t>(6, U32At(scene, pos + 2));
    }
    while (pos + 6 <= scene.size()) {
        SceneLayout::Part part{U16(scene, pos), pos, {}};
        const size_t end = pos + std::max<uint32_t>(6, U32At(scene, pos + 2));
        for (size_t chunk = pos + 6; chunk + 6 <= std::min(end, scene.size());)
            part.Chunks.push_back(std::exchange(chunk, chunk + std::max<uint32_t>(6, U32At(scene, chunk + 2))));
        layout.Sections.push_back(std::move(part));
        pos = end;
    }
    return layout;
}

std::string WithU32(std::string bytes, size_t at, uint32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4, '\0');
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Chunk(uint16_t id, const std::string& payload) {
    std::string head(2, '\0');
    head[0] = static_cast<char>(id);
    head[1] = static_cast<char>(id >> 8);
    return WithU32(head, 2, static_cast<uint32_t>(payload.size() + 6)) + payload;
}

std::string Definition(const std::string& name, uint32_t type, const std::string& data) {
    const std::string nested = Chunk(0xAE23, name + '\0') + Chunk(0xAE22, WithU32("", 0, type)) + Chunk(0xAE24, data);
    return Chunk(0xAE21, nested);
}

std::string TextDbImage(const std::vector<std::pair<uint32_t, std::string>>& entries) {
    std::string table = WithU32(std::string(8, '\0'), 0, static_cast<uint32_t>(entries.size()));
    std::string texts;
    const size_t textStart = 8 + 8 * entries.size();
    for (const auto& [id, text] : entries) {
        table = WithU32(table, table.size(), id);
        table = WithU32(table, table.size(), static_cast<uint32_t>(textStart + texts.size()));
        texts += text + '\0';
    }
    return table + texts;
}

void MakeFolder(const std::string& path) {
    std::error_code ec;
    fs::create_directories(Native(path), ec);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(Native(path), ec);
}

std::vector<std::string> ChangedFiles(const std::map<std::string, std::string>& before,
                                      const std::map<std::string, std::string>& after) {
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : before) {
        const auto found = after.find(name);
        if (found == after.end() || found->second != bytes) changed.push_back(name);
    }
    for (const auto& [name, bytes] : after)
        if (!before.contains(name)) changed.push_back(name);
    return changed;
}

uint64_t LargestFile(const std::string& folder) {
    uint64_t largest = 0;
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(Native(folder), ec))
        if (entry.is_regular_file(ec)) largest = std::max<uint64_t>(largest, entry.file_size(ec));
    return largest;
}

std::optional<ChildRun> MeasureInstall(const HostileGame& game) {
    const std::string program = ConsoleProgram();
    const std::optional<ChildRun> run = RunChild(program, game.InstallArgs(), 120, game.OutputPath());
    if (run && run->Status == 127) ADD_FAILURE() << program << " could not be started; build pellwise_console";
    return run;
}

uint64_t UndamagedPeak() {
    static const uint64_t peak = [] {
        const HostileGame game("UndamagedPeak");
        const std::optional<ChildRun> run = MeasureInstall(game);
        return run ? run->PeakBytes : 0;
    }();
    return peak;
}

}  // namespace pellwise::testing
