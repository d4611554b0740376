#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gamedata/game_context.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "installer/engine/captions.h"
#include "installer/engine/patch_report.h"
#include "installer/engine/transaction.h"
#include "installer/engine/wizard_result.h"
#include "services/message_text.h"
#include "services/settings_file.h"

namespace pellwise {

class MessageService;
struct LooseFilePlan;

struct PatchProgress {
    enum class Stage { Mission, TextDb, Files, Done };
    Stage At = Stage::Mission;
    int Index = 0;  // the mission's place in the run, from 0
    int Count = 0;  // missions in the run
    std::string Mission;
};

// What the front end does while the run goes on: a window repaints after each
// chunk, a console shows progress.
struct PatchCallbacks {
    std::function<void(const PatchProgress&)> Progress;
    std::function<void()> AfterChunk;
};

struct PatchOptions {
    bool DryRun = false;                // do everything in memory, write nothing
    Answer Overwrite = Answer::Ask;     // the overwrite question within the missions
    Answer ReplaceFiles = Answer::Ask;  // before files\ replaces a file of the game
    Answer VirtualStore = Answer::Ask;  // move old VirtualStore copies of the files written into the backup
};

// The installation job without a window: the wizard start's checks, the
// mission list, the patch run and the game start. Every message and question
// goes through the MessageService given, so the GUI shows boxes and the
// console prints. One Installer serves one run, as one start of the program.
// The wizard start is in installer_wizard.cpp, the patch run in
// installer_patch.cpp.
class Installer {
public:
    // Both folders end in a separator (one is added when missing).
    Installer(const std::string& modDir, const std::string& gameDir, MessageService& messages);
    ~Installer();
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    // Takes the game folder's lock (held until the Installer goes), finishes
    // or undoes an interrupted run, reads the captions, runs the checks in
    // order and loads the object store.
    // `storeOverwrite` answers the overwrite question among the mod's own files.
    WizardResult StartWizard(Answer storeOverwrite = Answer::Ask);

    const Captions& GetCaptions() const { return captions_; }
    const WizardSummary& Summary() const { return summary_; }
    // The patchable missions in the list control's order.
    const std::vector<std::string>& Missions() const { return missions_; }
    std::string ReadmePath() const;
    const std::string& ModDir() const { return modDir_; }
    const std::string& GameDir() const { return gameDir_; }
    const SceneFile& ObjectStore() const { return store_; }
    // What the wizard start did about an interrupted run; the front end tells the player.
    const Recovery& Recovered() const { return recovered_; }
    // The mod's name in the backup ledger: the name of its folder.
    std::string ModName() const;

    // Patches the named missions in the order given (a name given twice once),
    // saves the text database and copies the mod's files\ into the game. Runs
    // once, after a wizard start that passed; otherwise, or with a name not in
    // Missions(), it is refused and nothing is touched.
    PatchReport RunPatch(const std::vector<std::string>& selected, const PatchOptions& options,
                         const PatchCallbacks& callbacks = {});

    // After a wizard start that passed: what would stop the run for want of
    // rights, checked over every target of every mission and of files\, so
    // the player hears it before ticking anything. Empty when nothing would.
    SystemError CheckRights() const;
    // Lets the game folder go before the run, for a copy of the program that
    // starts again with administrator rights; this one then does nothing more.
    void ReleaseGameFolder() {
        lock_.reset();
        ready_ = false;
    }

    // Hands the game's program (GameDir + "game.exe") to `launch`.
    bool StartGame(const std::function<bool(const std::string& program)>& launch) const;

private:
    WizardResult Stop(WizardStop stop, const MessageText& message);
    WizardResult RunChecks();
    void LoadObjectStore(const std::vector<std::string>& files, Answer storeOverwrite);
    // Loads and patches the scene; what to write, or nothing when it did not load.
    std::optional<FileContent> PatchMission(const std::string& name, SceneFile& patch, PatchReport& report);
    SystemError Preflight(const std::vector<std::string>& run, const std::vector<std::string>& files) const;
    void RunInMemory(const std::vector<std::string>& run, const LooseFilePlan& plan, const PatchOptions& options,
                     const PatchCallbacks& callbacks, PatchReport& report);
    bool AskReplace(const LooseFilePlan& plan, Answer preset, PatchReport& report);
    bool StageTextDb(GameTransaction& txn, const std::string& staged) const;
    std::string TextDbRelative() const;
    void StageAndSwitch(const std::vector<std::string>& run, LooseFilePlan& plan, const PatchOptions& options,
                        const PatchCallbacks& callbacks, PatchReport& report);
    void CollectAddedTexts(PatchReport& report) const;
    void HandleVirtualStore(const std::vector<std::string>& run, const LooseFilePlan& plan, const PatchOptions& options,
                            int number, PatchReport& report);

    std::string modDir_;
    std::string gameDir_;
    MessageService& messages_;
    Captions captions_;
    WizardSummary summary_;
    std::vector<std::string> missions_;
    std::unique_ptr<TextDB> textDb_;
    std::unique_ptr<SettingsFile> newTexts_;
    int entriesBeforeMod_ = 0;
    SceneFile store_;
    GameContext context_;
    std::unique_ptr<FolderLock> lock_;
    Recovery recovered_;
    bool ready_ = false;
    bool ran_ = false;
};

}  // namespace pellwise
