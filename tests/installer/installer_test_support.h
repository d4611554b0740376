#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "installer/engine/sample_game.h"

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

// A sample game made in a scratch folder.
struct Sample {
    explicit Sample(const std::string& name, const SampleOptions& options = {});
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
// Every file below a folder with its bytes, for comparing whole trees.
std::map<std::string, std::string> Snapshot(const std::string& folder);

// A scene file read by the tests' own walk over its sections.
struct ParsedChunk {
    uint16_t Id = 0;
    std::string Name;
    std::string Bytes;
};
struct ParsedScene {
    bool Ok = false;
    uint32_t TotalSize = 0;
    std::vector<uint16_t> SectionOrder;
    std::map<uint16_t, std::vector<ParsedChunk>> Sections;
    std::vector<std::string> Names(uint16_t section) const;
};
ParsedScene ParseScene(const std::string& bytes);

// A text database read by the tests' own reader.
std::vector<SampleTextEntry> ParseTextDb(const std::string& bytes);

// The IDs the mod's new texts receive, by the allocation rule: each text not
// yet present goes before the last entry under the first free ID above the
// last-but-one entry's.
std::vector<uint32_t> AllocateIds(std::vector<SampleTextEntry> db, const std::vector<std::string>& texts);

uint32_t U32At(const std::string& bytes, size_t at);
std::string Utf8(const std::string& text1251);

}  // namespace pellwise::testing
