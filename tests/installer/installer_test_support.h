#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "installer/engine/sample_game.h"
#include "services/paths.h"

namespace pellwise::testing {

// A scratch folder under the test's working folder, emptied when made and
// removed when the object goes.
class Scratch {
public:
    explicit Scratch(const std::string& name);
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::string& Path() const { return path_; }  // ends in a separator

private:
    std::string path_;
};

// A sample game made in the folder `folder` of a scratch folder.
struct Sample {
    explicit Sample(const std::string& name, const SampleOptions& options = {}, const std::string& folder = "game");
    Scratch Folder;
    SampleGame Game;
};

struct ConsoleRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs `pellwise ARGS...` in-process with the current folder `cwd`; with a
// terminal, `input` holds the answers typed.
ConsoleRun Pellwise(const std::vector<std::string>& args, const std::string& cwd = {}, bool terminal = false,
                    const std::string& input = {});

// Arguments for installing the sample: --game and --mod given, then `more`.
std::vector<std::string> InstallArgs(const SampleGame& game, std::vector<std::string> more);

std::string ReadFile(const std::string& path);  // "<missing>" when unreadable
void WriteFile(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
void RemovePath(const std::string& path);
void MakeFolder(const std::string& path);  // in place of whatever was there
// Every file below a folder with its bytes, for comparing whole trees.
std::map<std::string, std::string> Snapshot(const std::string& folder);

// A scene file read by the tests' own walk over it; offsets are where each
// part starts in the file.
struct ParsedChunk {
    size_t Offset = 0;
    std::string Name;
    std::string Bytes;
};
struct ParsedSection {
    uint16_t Id = 0;
    size_t Offset = 0;
    std::vector<ParsedChunk> Chunks;
};
struct ParsedScene {
    bool Ok = false;  // every size fits and the total size is the file's
    uint32_t TotalSize = 0;
    std::vector<size_t> HeadChunks;
    std::vector<ParsedSection> Sections;  // in file order
    const ParsedSection& Section(uint16_t id) const;
    std::vector<std::string> Names(uint16_t section) const;
    // Where a head chunk, a section or a chunk starts, the file head ends or
    // a section head ends.
    std::vector<size_t> Boundaries() const;
};
ParsedScene ParseScene(const std::string& bytes);

// A text database read by the tests' own reader.
std::vector<SampleTextEntry> ParseTextDb(const std::string& bytes);

// Holds a file open the way another program that will not share it does, so
// that the installer cannot read it: a sharing mode of none on Windows, an
// exclusive lock (which the program's own streams honour) elsewhere. Works
// for root too, whom permission bits would not stop.
class LockedFile {
public:
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool Held() const { return held_; }

private:
    intptr_t handle_ = -1;
    bool held_ = false;
};

// A small sample game (two missions, in a folder named with blanks and
// Cyrillic letters where the system can) for one hostile row.
struct HostileGame : Sample {
    explicit HostileGame(const std::string& name);
    std::string InGame(const std::string& relative = {}) const { return JoinPath(Game.GameDir, relative); }
    std::string ScenePath() const { return Game.Missions.at(0).ScenePath; }  // the first mission's
    // install --game --mod, `missions`, every question answered yes.
    std::vector<std::string> InstallArgs(std::vector<std::string> missions = {"--all-missions"}) const;
    std::string OutputPath() const { return Folder.Path() + "output.txt"; }  // of a run as a child
    void SetHostile(const std::string& path, const std::string& bytes);
    // Another program holds the file open while the install runs.
    void Lock(const std::string& path) { Hostile = path, Locked = true; }

    std::string Hostile;  // the file the row damaged
    bool Locked = false;
    std::string Printed;  // what the install printed, for a row's own check
};

// The console program run as a child process, for what an in-process run
// cannot show: its peak memory, and a hang that must not take the test
// process with it.
struct ChildRun {
    int Status = -1;         // the exit status; -1 when it died of a signal or was killed
    bool TimedOut = false;   // killed after the time limit
    uint64_t PeakBytes = 0;  // the largest resident set the child had
};

// Runs this build's console program with `args`, its standard output and
// error in the file `output`; one that cannot be started exits with 127.
// Nothing on platforms where the test does not watch a child.
std::optional<ChildRun> RunPellwise(const std::vector<std::string>& args, int timeLimitSeconds,
                                    const std::string& output);

}  // namespace pellwise::testing
