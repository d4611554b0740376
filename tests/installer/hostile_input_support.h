#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "child_run.h"
#include "installer/engine/sample_game.h"
#include "installer_test_support.h"
#include "locked_file.h"

namespace pellwise::testing {

// A small sample game (two missions) for one hostile row, with the file the
// row damaged and, while the row wants it, a lock that keeps it unreadable.
class HostileGame {
public:
    explicit HostileGame(const std::string& name, std::vector<std::string> missionNames = {});

    std::string GameDir() const { return game_.GameDir; }
    std::string Game(const std::string& relative) const;
    std::string Mod(const std::string& relative) const;
    std::string ObjectFile(const std::string& stem) const { return Mod("DATA/" + stem + ".dnc"); }
    std::string Database() const { return game_.TextDbPath; }
    std::string ScenePath() const { return game_.Missions.at(0).ScenePath; }  // the first mission's
    std::string FirstMission() const;                                         // UTF-8
    const std::string& OriginalScene() const { return originalScene_; }

    void SetHostile(const std::string& path, const std::string& bytes);
    // Names the file to hold open; HoldLock takes it, once the test has read
    // the game as it was.
    void Lock(const std::string& path) { hostile_ = lockPath_ = path; }
    void HoldLock();
    void Unlock() { lock_.reset(); }
    const std::string& Hostile() const { return hostile_; }
    void RemoveObjectFiles();

    // install --game --mod, `missions` (every mission by default), no questions.
    std::vector<std::string> InstallArgs(std::vector<std::string> missions = {"--all-missions"}) const;

    // What the last run as a program of its own printed.
    std::string LastOutput() const;
    std::string OutputPath() const { return folder_.Path() + "output.txt"; }

    std::string Expected;  // what a row's own check looks for

private:
    Scratch folder_;
    SampleGame game_;
    std::string originalScene_;
    std::string hostile_;
    std::string lockPath_;
    std::unique_ptr<LockedFile> lock_;
};

// Where the structures of a well-formed scene file start.
struct SceneLayout {
    struct Part {
        uint16_t Id = 0;
        size_t Offset = 0;
        std::vector<size_t> Chunks;
    };
    std::vector<size_t> HeadChunks;
    std::vector<Part> Sections;

    const Part& Section(uint16_t id) const;
    // Every offset at which a head chunk, a section or a chunk starts, the
    // file head's end and the section heads' ends.
    std::vector<size_t> Boundaries() const;
};
SceneLayout Layout(const std::string& scene);

std::string WithU32(std::string bytes, size_t at, uint32_t value);
std::string Chunk(uint16_t id, const std::string& payload);
// A definition chunk: a name chunk, a type chunk and a data chunk of `data`.
std::string Definition(const std::string& name, uint32_t type, const std::string& data);
std::string TextDbImage(const std::vector<std::pair<uint32_t, std::string>>& entries);

void MakeFolder(const std::string& path);
bool IsFolder(const std::string& path);
// The names whose bytes differ between two snapshots, or that only one has.
std::vector<std::string> ChangedFiles(const std::map<std::string, std::string>& before,
                                      const std::map<std::string, std::string>& after);
uint64_t LargestFile(const std::string& folder);

// The install of `game` run as a program of its own, its output kept for
// LastOutput(); nothing where the test cannot watch a child.
std::optional<ChildRun> MeasureInstall(const HostileGame& game);
// The peak memory of installing an undamaged sample, measured once.
uint64_t UndamagedPeak();

}  // namespace pellwise::testing
