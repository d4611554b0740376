#include "gamedata/object_import.h"
#include "installer/engine/folders.h"
#include "installer/engine/installer.h"
#include "installer/engine/mission_list.h"
#include "services/file_stream.h"
#include "services/file_system.h"
#include "services/folder_listing.h"
#include "services/message_service.h"
#include "services/paths.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

uint8_t PresetAnswer(Answer answer) { return answer == Answer::Yes ? 2 : answer == Answer::No ? 1 : 0; }

}  // namespace

Installer::Installer(const std::string& modDir, const std::string& gameDir, MessageService& messages)
    : modDir_(WithTrailingSeparator(modDir)),
      gameDir_(WithTrailingSeparator(gameDir)),
      messages_(messages),
      captions_(DefaultCaptions()),
      context_{messages, nullptr, nullptr, {}, {}} {}

Installer::~Installer() = default;

std::string Installer::ReadmePath() const { return JoinPath(modDir_, "Help/readme1st.rtf"); }

bool Installer::StartGame(const std::function<bool(const std::string& program)>& launch) const {
    return launch(JoinPath(gameDir_, "game.exe"));
}

WizardResult Installer::Stop(WizardStop stop, const std::string& message) {
    messages_.ShowMessageBox(message, kMbOk | kMbIconError);
    return {stop, message};
}

WizardResult Installer::StartWizard(Answer storeOverwrite) {
    if (ready_ || ran_) return {WizardStop::None, {}};
    captions_ = ReadCaptions(PathInAnyCase(modDir_, "interface/options.ini"));
    context_.OverwriteQuestion = captions_.OverwriteQuestion();
    const WizardResult checks = RunChecks();
    if (!checks.Ok()) return checks;
    const FolderListing objectFiles(PathInAnyCase(modDir_, "DATA/"), "*.dnc", kAttributeArchive);
    if (objectFiles.Count() == 0) return Stop(WizardStop::NoObjectFiles, captions_.NoDnc);
    std::vector<std::string> names;
    for (int i = 0; i < objectFiles.Count(); ++i) names.push_back(objectFiles.Names(i));
    LoadObjectStore(names, storeOverwrite);
    ready_ = true;
    return {};
}

WizardResult Installer::RunChecks() {
    // A game without its tables folder gets the message that says how to
    // extract it, rather than "file not found" for version.txt inside it.
    if (!DirectoryExists(PathInAnyCase(gameDir_, "tables"))) return Stop(WizardStop::NoTables, captions_.NoTables);
    const std::string versionPath = PathInAnyCase(gameDir_, "tables/version.txt");
    summary_.VersionLine = FileStream::OpenForReading(versionPath).ReadLine();
    if (summary_.VersionLine.empty()) return Stop(WizardStop::NoVersion, captions_.NoFile + versionPath);
    summary_.TextDbPath = PathInAnyCase(gameDir_, "tables/textdb_" + summary_.VersionLine + ".def");
    if (!FileExists(summary_.TextDbPath)) return Stop(WizardStop::NoTextDb, captions_.NoFile + summary_.TextDbPath);
    auto db = std::make_unique<TextDB>();
    // A partly read database must never be saved over the game's: the reader's
    // "IO error" was the message, and the run cannot start.
    if (!Load(*db, summary_.TextDbPath, messages_)) return {WizardStop::TextDbDamaged, {}};
    summary_.TextDbEntries = db->Count();
    summary_.TextDbKind = db->Kind;
    textDb_ = std::move(db);
    const std::string newTextsPath = PathInAnyCase(modDir_, "DATA/NewTexts.ini");
    // One that cannot be read would make every text of the mod "no text",
    // so it stops the run like a missing one, as version.txt does.
    if (!FileExists(newTextsPath) || !FileStream::OpenForReading(newTextsPath).IsOpen())
        return Stop(WizardStop::NoNewTexts, captions_.NoFile + newTextsPath);
    newTexts_ = std::make_unique<SettingsFile>(OpenSettingsFile(newTextsPath));
    missions_ = ListPatchableMissions(PathInAnyCase(gameDir_, "MISSIONS/"));
    if (missions_.empty()) return Stop(WizardStop::NoMissions, captions_.NoMissions);
    return {};
}

void Installer::LoadObjectStore(const std::vector<std::string>& files, Answer storeOverwrite) {
    context_.TextDb = textDb_.get();
    context_.NewTexts = newTexts_.get();
    entriesBeforeMod_ = textDb_->Count();
    store_ = SceneFile{};
    store_.OverwriteAnswer = PresetAnswer(storeOverwrite);
    const std::string dataDir = PathInAnyCase(modDir_, "DATA/");
    std::vector<ObjectFileOutcome>& outcomes = summary_.ObjectFiles;
    for (const std::string& file : files) {
        ObjectFileOutcome outcome;
        outcome.FileName = file;
        const std::optional<Block> bytes = ReadWholeFile(dataDir + file);
        SectionList* list = nullptr;
        int earlier = -1;
        if (bytes && bytes->size() >= 6) {
            outcome.Kind = static_cast<uint16_t>((*bytes)[0] | (*bytes)[1] << 8);
            outcome.ChunkName = ChunkName(*bytes);
            list = ListForKind(store_, outcome.Kind);
            if (list) earlier = FindByName(*list, outcome.ChunkName);
        }
        const int countBefore = list ? list->Count() : 0;
        if (!LoadObjectFile(store_, dataDir + file, context_)) {
            outcome.State = ObjectFileState::Damaged;
        } else if (!list) {
            outcome.State = ObjectFileState::UnknownKind;
        } else if (earlier >= 0 || list->Count() == countBefore) {
            // The store's names are unique per list, so the earlier holder of
            // this name is the last outcome stored under it.
            for (auto it = outcomes.rbegin(); it != outcomes.rend(); ++it) {
                if (it->Kind != outcome.Kind || it->ChunkName != outcome.ChunkName) continue;
                if (it->State != ObjectFileState::Stored && it->State != ObjectFileState::StoredNotImported) continue;
                if (store_.OverwriteAnswer == 2) {
                    it->State = ObjectFileState::Replaced;
                    it->Other = file;
                } else {
                    outcome.State = ObjectFileState::Dropped;
                    outcome.Other = it->FileName;
                }
                break;
            }
        }
        if (outcome.State == ObjectFileState::Stored && outcome.Kind == kChunkAE03)
            outcome.State = ObjectFileState::StoredNotImported;
        outcomes.push_back(outcome);
    }
    summary_.StoreAnswer = store_.OverwriteAnswer == 2   ? Answer::Yes
                           : store_.OverwriteAnswer == 1 ? Answer::No
                                                         : Answer::Ask;
}

}  // namespace pellwise
