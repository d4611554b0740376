#pragma once

#include <string>
#include <vector>

namespace pellwise {

// One thing `pellwise check` found in a mod. Errors are what will go wrong in
// the game or the install, warnings what probably will, notes what the mod
// does to a given game.
enum class FindingLevel { Error, Warning, Note };

struct Finding {
    FindingLevel Level = FindingLevel::Error;
    std::string File;   // relative to the mod folder (or "game:" + relative), system encoding
    std::string Place;  // where in the file: "offset 34", "key #@$&000001"; windows-1251
    std::string What;   // windows-1251
    std::string Fix;    // windows-1251
};

// Looks through the mod in `modDir`: its object files, text markers and
// NewTexts.ini, the encodings of its text files and its files\ folder. With
// a `gameDir` (empty: none) also the game's version.txt, what the mod would
// replace in each mission and which of its texts the database holds already.
std::vector<Finding> CheckMod(const std::string& modDir, const std::string& gameDir);

// A marker whose key NewTexts.ini does not hold: the game shows "no text".
struct MissingText {
    std::string Key;         // windows-1251
    std::string Definition;  // the definition's name, windows-1251
    std::string FileName;    // the object file, system encoding
};
std::vector<MissingText> FindMissingTexts(const std::string& modDir);

}  // namespace pellwise
