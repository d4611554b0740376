#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pellwise {

// A game folder with a mod folder inside, made from scratch: the project never
// uses real game files. The demo, the tests and the benchmarks install into it.
struct SampleOptions {
    int Missions = 4;
    uint32_t SceneSize = 64 * 1024;  // approximate size of each scene2.bin
    int TextDbEntries = 300;
    bool LatinTextDb = false;               // the database stores Russian as Latin letters
    int Collisions = 1;                     // mod objects whose names every mission has already
    bool StoreCollision = false;            // two object files of the mod hold objects of one name
    bool ReplaceableFile = true;            // the game has a file that the mod's files\ replaces
    std::vector<std::string> MissionNames;  // folder names (platform encoding); generated when empty
};

struct SampleChunkInfo {
    std::string Name;
    uint32_t Size = 0;
};

struct SampleMission {
    std::string Name;
    std::string ScenePath;
    uint32_t SceneSize = 0;
    std::vector<SampleChunkInfo> Objects;
    std::vector<SampleChunkInfo> Definitions;
    std::vector<SampleChunkInfo> EntriesAE50;
    std::vector<SampleChunkInfo> EntriesAE02;
};

struct SampleObjectFile {
    std::string FileName;
    uint16_t Kind = 0;
    std::string Name;
    std::vector<uint8_t> Bytes;
    std::vector<std::string> TextKeys;  // placeholders in the order they stand in the text
};

struct SampleTextEntry {
    uint32_t Id = 0;
    std::string Text;  // windows-1251, or its Latin-letter form
};

struct SampleGame {
    std::string GameDir;  // both end in a separator
    std::string ModDir;
    std::string VersionLine;
    std::string TextDbPath;
    std::vector<SampleMission> Missions;  // in name order, those with a scene2.bin
    std::string MissionWithoutScene;
    std::vector<SampleTextEntry> TextDb;
    std::vector<SampleObjectFile> ObjectFiles;                  // every *.dnc, in name order
    std::vector<std::pair<std::string, std::string>> NewTexts;  // key, windows-1251 text
    std::vector<std::string> LooseFiles;                        // relative to files\ and to the game folder
    std::vector<std::string> ExistingLooseFiles;                // those the game folder has already
};

// Writes the sample into `folder` (created when missing). False with `error`
// set when a file could not be written.
bool GenerateSampleGame(const std::string& folder, const SampleOptions& options, SampleGame& game, std::string& error);

// The Latin-letter form the game's Latin-letter databases use for Russian text.
std::string SampleLatinForm(const std::string& text1251);

}  // namespace pellwise
