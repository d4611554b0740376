#pragma once

#include <string>

namespace pellwise {

// The texts a mod's author may change, from the mod's interface\options.ini,
// windows-1251. A missing file or key gives the built-in Russian default; a
// key present with an empty value gives an empty text.
struct Captions {
    std::string SelectMissions;
    std::string NoMissions;
    std::string NoTables;
    std::string NoFile;  // the path follows directly, so the default ends in ": "
    std::string NoDnc;
    std::string Title;
    std::string PleaseWait;
    std::string Overwrite1;
    std::string Overwrite2;
    std::string ReplaceFiles;  // asked before files\ replaces game files; the first such file follows
    std::string HelpAddress;

    // The question asked at the first name collision within one scene.
    std::string OverwriteQuestion() const { return Overwrite1 + '\r' + Overwrite2; }
};

Captions DefaultCaptions();
Captions ReadCaptions(const std::string& optionsPath);

}  // namespace pellwise
