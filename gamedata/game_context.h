#pragma once

#include <functional>
#include <string>

namespace pellwise {

class MessageService;
class SettingsFile;
struct TextDB;

// What the installer shares across the game-data operations for one run: the
// message seam, the loaded text database and the mod's NewTexts.ini (either
// may be absent), the overwrite question's text, and the hook that runs after
// every imported chunk (the GUI repaints there, the console reports progress).
struct GameContext {
    MessageService& Messages;
    TextDB* TextDb = nullptr;
    SettingsFile* NewTexts = nullptr;
    std::string OverwriteQuestion;
    std::function<void()> AfterChunk;
};

}  // namespace pellwise
