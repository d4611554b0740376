#include <map>
#include <utility>

#include "gamedata/object_import.h"
#include "installer/engine/folders.h"
#include "installer/engine/installer.h"
#include "installer/engine/mission_list.h"
#include "services/file_stream.h"
#include "services/file_system.h"
#include "services/folder_listing.h"
#include "services/message_service.h"
#include "services/paths.h"

namespace pellwise {

Installer::Installer(const std::string& modDir, const std::string& gameDir, MessageService& messages)
    : modDir_(WithTrailingSeparator(modDir)),
      gameDir_(WithTrailingSeparator(gameDir)),
      messages_(messages),
      captions_(DefaultCaptions()),
      context_{messages, nullptr, nullptr, {}, {}} {}

Installer::~Installer() = default;

std::string Installer::ModName() const {
    std::string name = modDir_.substr(ParentFolder(modDir_).size());
    while (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.pop_back();
    return name;
}

std::string Installer::ReadmePath() const { return JoinPath(modDir_, "Help/readme1st.rtf"); }

bool Installer::StartGame(const std::function<bool(const std::string& program)>& launch) const {
    return launch(JoinPath(gameDir_, "game.exe"));
}

WizardResult Installer::Stop(WizardStop stop, const MessageText& message) {
    messages_.ShowMessageBox(message, kMbOk | kMbIconError);
    return {stop, message};
}

WizardResult Installer::StartWizard(Answer storeOverwrite) {
    if (ready_ || ran_) return {WizardStop::None, {}};
    captions_ = ReadCaptions(PathInAnyCase(modDir_, "interface/options.ini"));
    context_.OverwriteQuestion = captions_.OverwriteQuestion();
    // One run at a time per game: two would hand out the same text IDs. A
    // lock refused for another reason (no such folder, a read-only medium)
    // is left to the checks and the pre-flight, which name the cause.
    GameSession session = OpenGameSession(gameDir_);
    if (session.Held) return Stop(WizardStop::Locked, std::string(kLockedMessage));
    lock_ = std::move(session.Lock);
    recovered_ = session.Recovered;
    if (recovered_.Error) return Stop(WizardStop::NotRecovered, recovered_.Text());
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
    if (summary_.VersionLine.empty()) return Stop(WizardStop::NoVersion, captions_.NoFile + SystemName{versionPath});
    summary_.TextDbPath = PathInAnyCase(gameDir_, "tables/textdb_" + summary_.VersionLine + ".def");
    if (!FileExists(summary_.TextDbPath))
        return Stop(WizardStop::NoTextDb, captions_.NoFile + SystemName{summary_.TextDbPath});
    auto db = std::make_unique<TextDB>();
    // A partly read database must never be saved over the game's: the run
    // cannot start.
    FileError dbError;
    if (!Load(*db, summary_.TextDbPath, dbError)) return Stop(WizardStop::TextDbDamaged, FileErrorText(dbError));
    summary_.TextDbEntries = db->Count();
    summary_.TextDbKind = db->Kind;
    textDb_ = std::move(db);
    const std::string newTextsPath = PathInAnyCase(modDir_, "DATA/NewTexts.ini");
    // One that cannot be read would make every text of the mod "no text",
    // so it stops the run like a missing one, as version.txt does.
    if (!FileExists(newTextsPath) || !FileStream::OpenForReading(newTextsPath).IsOpen())
        return Stop(WizardStop::NoNewTexts, captions_.NoFile + SystemName{newTextsPath});
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
    store_.OverwriteAnswer = storeOverwrite;
    const std::string dataDir = PathInAnyCase(modDir_, "DATA/");
    std::vector<ObjectFileOutcome>& outcomes = summary_.ObjectFiles;
    // The file whose chunk holds each kind and name in the store now.
    std::map<std::pair<uint16_t, std::string>, size_t> holders;
    for (const std::string& file : files) {
        const ObjectFileLoad load = LoadObjectFile(store_, dataDir + file, context_);
        ObjectFileOutcome outcome{file, load.Kind, load.Name, ObjectFileState::Stored, {}, load.Error};
        const auto holder = holders.find({load.Kind, load.Name});
        if (!load.Read) {
            outcome.State = ObjectFileState::Damaged;
        } else if (load.Outcome == AddOutcome::Discarded) {
            outcome.State = ObjectFileState::UnknownKind;
        } else if (load.Outcome == AddOutcome::Kept && holder != holders.end()) {
            outcome.State = ObjectFileState::Dropped;
            outcome.Other = outcomes[holder->second].FileName;
        } else if (load.Outcome == AddOutcome::Replaced && holder != holders.end()) {
            outcomes[holder->second].State = ObjectFileState::Replaced;
            outcomes[holder->second].Other = file;
        }
        if (outcome.State == ObjectFileState::Stored) {
            if (load.Kind == kChunkAE03) outcome.State = ObjectFileState::StoredNotImported;
            holders[{load.Kind, load.Name}] = outcomes.size();
        }
        outcomes.push_back(outcome);
    }
    summary_.StoreAnswer = store_.OverwriteAnswer;
}

}  // namespace pellwise
