#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "installer/sample/sample_game.h"
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

std::string ReadFile(const std::string& path);                      // "<missing>" when unreadable
void WriteFile(const std::string& path, const std::string& bytes);  // its folder made when missing
void RemovePath(const std::string& path);
// Every file below a folder with its bytes, for comparing whole trees.
std::map<std::string, std::string> Snapshot(const std::string& folder);
// The same without pellwise-backup: the game as a player sees it.
std::map<std::string, std::string> GameSnapshot(const std::string& folder);
// Takes the write permission away (the read-only attribute on Windows) and gives it back.
void MakeReadOnly(const std::string& path);
void MakeWritable(const std::string& path);

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
    // install --game --mod --all-missions, every question answered yes.
    std::vector<std::string> InstallArgs() const {
        return testing::InstallArgs(Game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"});
    }
};

}  // namespace pellwise::testing
