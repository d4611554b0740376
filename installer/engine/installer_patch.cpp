#include <algorithm>
#include <cctype>
#include <chrono>

#include "gamedata/object_import.h"
#include "installer/engine/folders.h"
#include "installer/engine/installer.h"
#include "installer/engine/loose_files.h"
#include "installer/engine/mission_list.h"
#include "installer/engine/preflight.h"
#include "installer/engine/virtual_store.h"
#include "services/atomic_file.h"
#include "services/file_stream.h"
#include "services/file_system.h"
#include "services/message_service.h"
#include "services/paths.h"
#include "services/volume.h"

namespace pellwise {

namespace {

// Files each chunk the import handled under what became of it.
void Classify(std::vector<ChunkImport>& imports, MissionReport& report) {
    for (ChunkImport& import : imports) {
        ChunkChange change{import.Kind, std::move(import.Name), import.Size};
        switch (import.Outcome) {
            case AddOutcome::Appended:
                report.Added.push_back(std::move(change));
                break;
            case AddOutcome::Replaced:
                report.Replaced.push_back(std::move(change));
                break;
            case AddOutcome::Kept:
                report.Kept.push_back(std::move(change));
                break;
            case AddOutcome::Discarded:
                break;
        }
    }
}

// Room for the journal, the ledger and the file system's own blocks.
constexpr uint64_t kSpareBytes = 1 << 20;

uint64_t FileSizeOf(const std::string& path) {
    FileStream stream = FileStream::OpenForReading(path);
    return stream.IsOpen() ? stream.Size() : 0;
}

// A game file's path below the game folder as it is on the disk, in any
// letter case the mod or the engine names it, written as the ledger does.
std::string GameRelative(const std::string& gameDir, const std::string& relative) {
    return LedgerPathText(PathInAnyCase(gameDir, relative).substr(gameDir.size()));
}

std::string SceneRelative(const std::string& gameDir, const std::string& mission) {
    return LedgerPathText(ScenePath(PathInAnyCase(gameDir, "MISSIONS/"), mission).substr(gameDir.size()));
}

// The system's error after a write of `path` failed is often gone by the
// time it is read (the writer cleans up), so the reason is found again by
// looking; a write that stops the run always has one.
SystemError WriteFailure(const std::string& path) {
    SystemError reason = WriteFailureReason(path);
    if (!reason) reason = {ReasonKind::Other, path, {}};
    return reason;
}

bool SamePath(const std::string& a, const std::string& b) {
#ifdef _WIN32
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
#else
    return a == b;
#endif
}

void Progress(const PatchCallbacks& callbacks, PatchProgress::Stage stage, size_t index,
              const std::vector<std::string>& run) {
    if (callbacks.Progress)
        callbacks.Progress({stage, static_cast<int>(index), static_cast<int>(run.size()),
                            index < run.size() ? run[index] : std::string()});
}

// A file of files\ that would land on a file this run patches is not copied:
// it would undo the run (the scene without the mod's objects, the database
// without its texts).
void SetAsideConflicts(const std::string& gameDir, LooseFilePlan& plan, const std::vector<std::string>& run,
                       const std::string& textDb, PatchReport& report) {
    std::vector<std::string> patched{textDb};
    for (const std::string& name : run) patched.push_back(SceneRelative(gameDir, name));
    LooseFilePlan kept;
    kept.Folders = plan.Folders;
    for (size_t i = 0; i < plan.Files.size(); ++i) {
        const std::string relative = GameRelative(gameDir, plan.Files[i]);
        if (std::any_of(patched.begin(), patched.end(), [&](const std::string& p) { return SamePath(p, relative); })) {
            report.Conflicts.push_back(plan.Files[i]);
        } else {
            kept.Files.push_back(plan.Files[i]);
            kept.Exists.push_back(plan.Exists[i]);
        }
    }
    plan = std::move(kept);
}

}  // namespace

int PatchReport::FailedMissions() const {
    return static_cast<int>(std::count_if(Missions.begin(), Missions.end(),
                                          [](const MissionReport& m) { return m.Outcome != MissionOutcome::Patched; }));
}

int PatchReport::FailedFiles() const {
    return static_cast<int>(std::count_if(Files.begin(), Files.end(),
                                          [](const FileCopy& f) { return f.Outcome == FileCopyOutcome::Failed; }));
}

bool PatchReport::Succeeded() const {
    return Ran && FailedMissions() == 0 && FailedFiles() == 0 && TextsWithoutId == 0 && (DryRun || TextDbSaved) &&
           Conflicts.empty() && !Stop;
}

PatchReport Installer::RunPatch(const std::vector<std::string>& selected, const PatchOptions& options,
                                const PatchCallbacks& callbacks) {
    PatchReport report;
    report.DryRun = options.DryRun;
    if (!ready_ || ran_) {
        report.Refusal = ran_ ? "the patch run has been done already" : "the wizard start did not pass";
        return report;
    }
    for (const std::string& name : selected) {
        if (std::find(missions_.begin(), missions_.end(), name) == missions_.end()) {
            report.Refusal = "no patchable mission is named " + name;
            return report;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    ran_ = true;
    report.Ran = true;
    const std::string filesDir = PathInAnyCase(modDir_, "files/");
    LooseFilePlan plan = PlanLooseFiles(filesDir, gameDir_);
    report.FilesFolderPresent = DirectoryExists(filesDir);
    report.LinksSkipped = plan.Links;
    if (!options.DryRun) {
        // Older versions wrote their temporary files beside the game's and
        // may have left one when killed; the game's own files are whole.
        const std::string missionsDir = PathInAnyCase(gameDir_, "MISSIONS/");
        for (const std::string& name : missions_) RemoveStaleTemporary(ScenePath(missionsDir, name));
        RemoveStaleTemporary(summary_.TextDbPath);
        for (const std::string& file : plan.Files) RemoveStaleTemporary(PathInAnyCase(gameDir_, file));
    }

    // The order given is the order of the front end's list, which the player
    // saw: the list control sorts by its own comparison, not the engine's.
    std::vector<std::string> run;
    for (const std::string& name : selected)
        if (std::find(run.begin(), run.end(), name) == run.end()) run.push_back(name);
    SetAsideConflicts(gameDir_, plan, run, TextDbRelative(), report);
    report.Stop = Preflight(run, plan.Files);
    if (!report.Stop) {
        if (options.DryRun)
            RunInMemory(run, plan, options, callbacks, report);
        else
            StageAndSwitch(run, plan, options, callbacks, report);
    }
    report.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}

// As the ledger and the journal write paths: '/' between names everywhere.
std::string Installer::TextDbRelative() const { return LedgerPathText(summary_.TextDbPath.substr(gameDir_.size())); }

SystemError Installer::Preflight(const std::vector<std::string>& run, const std::vector<std::string>& files) const {
    std::vector<std::string> targets;
    uint64_t needed = kSpareBytes + FileSizeOf(summary_.TextDbPath) * 2;
    for (const std::string& name : run) {
        targets.push_back(SceneRelative(gameDir_, name));
        needed += FileSizeOf(JoinPath(gameDir_, targets.back())) + store_.TotalSize;
    }
    targets.push_back(TextDbRelative());
    for (const std::string& file : files) {
        targets.push_back(GameRelative(gameDir_, file));
        needed += FileSizeOf(JoinPath(PathInAnyCase(modDir_, "files/"), file));
    }
    return CheckTargets(gameDir_, targets, needed);
}

SystemError Installer::CheckRights() const {
    if (!ready_) return {};
    const LooseFilePlan plan = PlanLooseFiles(PathInAnyCase(modDir_, "files/"), gameDir_);
    SystemError error = Preflight(missions_, plan.Files);
    return NeedsRights(error) ? error : SystemError{};
}

void Installer::RunInMemory(const std::vector<std::string>& run, const LooseFilePlan& plan, const PatchOptions& options,
                            const PatchCallbacks& callbacks, PatchReport& report) {
    const std::string filesDir = PathInAnyCase(modDir_, "files/");
    context_.AfterChunk = callbacks.AfterChunk;
    SceneFile patch;
    patch.OverwriteAnswer = options.Overwrite;
    for (size_t i = 0; i < run.size(); ++i) {
        Progress(callbacks, PatchProgress::Stage::Mission, i, run);
        PatchMission(run[i], patch, report);
        Clear(patch);
    }
    report.SceneAnswer = patch.OverwriteAnswer;
    Progress(callbacks, PatchProgress::Stage::TextDb, run.size(), run);
    CollectAddedTexts(report);
    Progress(callbacks, PatchProgress::Stage::Files, run.size(), run);
    if (report.FilesFolderPresent) {
        const bool replace = AskReplace(plan, options.ReplaceFiles, report);
        report.Files = CopyLooseFiles(plan, filesDir, gameDir_, replace, true);
    }
    Progress(callbacks, PatchProgress::Stage::Done, run.size(), run);
}

bool Installer::AskReplace(const LooseFilePlan& plan, Answer preset, PatchReport& report) {
    bool replace = preset == Answer::Yes;
    if (plan.ExistingCount() > 0) {
        if (preset == Answer::Ask)
            replace = messages_.ShowMessageBox(ReplaceQuestion(plan, gameDir_, captions_.ReplaceFiles),
                                               kMbYesNo | kMbIconQuestion) == kIdYes;
        report.ReplaceAnswer = replace ? Answer::Yes : Answer::No;
    }
    return replace;
}

void Installer::StageAndSwitch(const std::vector<std::string>& run, LooseFilePlan& plan, const PatchOptions& options,
                               const PatchCallbacks& callbacks, PatchReport& report) {
    const std::string filesDir = PathInAnyCase(modDir_, "files/");
    const std::optional<std::vector<InstallRecord>> ledger = ReadLedger(gameDir_);
    if (!ledger) {
        report.Stop = {ReasonKind::Other, LedgerPath(gameDir_), "the backup ledger cannot be read"};
        return;
    }
    InstallRecord record;
    record.Number = ledger->empty() ? 1 : ledger->back().Number + 1;
    record.Time = LocalTimeText();
    record.Mod = ModName();
    GameTransaction txn(gameDir_, JournalKind::Install, record);
    std::vector<std::string> staged;
    for (const std::string& name : run) staged.push_back(txn.Stage(SceneRelative(gameDir_, name)));
    const std::string stagedDb = txn.Stage(TextDbRelative());
    std::vector<std::string> stagedFiles;
    if (report.FilesFolderPresent) {
        for (const std::string& file : plan.Files) stagedFiles.push_back(txn.Stage(GameRelative(gameDir_, file)));
        for (const std::string& folder : plan.Folders)
            if (!DirectoryExists(PathInAnyCase(gameDir_, folder))) txn.AddFolder(LedgerPathText(folder));
    }
    if ((report.Stop = txn.Begin())) return;

    // The questions come while staging: an answer given is never lost to a
    // crash, as nothing of the game has changed yet.
    context_.AfterChunk = callbacks.AfterChunk;
    SceneFile patch;
    patch.OverwriteAnswer = options.Overwrite;
    for (size_t i = 0; i < run.size() && !report.Stop; ++i) {
        Progress(callbacks, PatchProgress::Stage::Mission, i, run);
        const std::optional<FileContent> content = PatchMission(run[i], patch, report);
        MissionReport& m = report.Missions.back();
        if (m.Outcome == MissionOutcome::LoadFailed) {
            txn.Unstage(SceneRelative(gameDir_, run[i]));
        } else if (!content || !txn.WriteStaged(staged[i], *content)) {
            // The player hears of it from the run's report, which names the reason.
            m.Outcome = MissionOutcome::SaveFailed;
            report.Stop = WriteFailure(staged[i]);
        } else {
            // The original's digest comes from the load.
            txn.NoteOriginal(staged[i], patch.Read);
        }
        Clear(patch);
    }
    report.SceneAnswer = patch.OverwriteAnswer;
    Progress(callbacks, PatchProgress::Stage::TextDb, run.size(), run);
    CollectAddedTexts(report);
    if (!report.Stop && !StageTextDb(txn, stagedDb)) report.Stop = WriteFailure(stagedDb);

    Progress(callbacks, PatchProgress::Stage::Files, run.size(), run);
    if (!report.Stop && report.FilesFolderPresent) {
        const bool replace = AskReplace(plan, options.ReplaceFiles, report);
        report.Files = CopyLooseFiles(plan, filesDir, gameDir_, replace, true);
        for (size_t i = 0; i < plan.Files.size() && !report.Stop; ++i) {
            if (report.Files[i].Outcome == FileCopyOutcome::KeptExisting) {
                txn.Unstage(GameRelative(gameDir_, plan.Files[i]));
                continue;
            }
            MakeFolders(ParentFolder(stagedFiles[i]));
            if (!txn.CopyStaged(JoinPath(filesDir, plan.Files[i]), stagedFiles[i]))
                report.Stop = WriteFailure(stagedFiles[i]);
            // A long copy keeps the window alive like a long import does.
            if (callbacks.AfterChunk) callbacks.AfterChunk();
        }
    }
    if (!report.Stop) report.Stop = txn.Commit();
    if (report.Stop) {
        txn.Abort();
        report.TextDbSaved = false;
        report.Files.clear();  // none of them was copied
        // The staged file's name means nothing to the player; the target's does.
        for (size_t i = 0; i < staged.size(); ++i)
            if (report.Stop.Path == staged[i])
                report.Stop.Path = ScenePath(PathInAnyCase(gameDir_, "MISSIONS/"), run[i]);
        if (report.Stop.Path == stagedDb) report.Stop.Path = summary_.TextDbPath;
        for (size_t i = 0; i < stagedFiles.size(); ++i)
            if (report.Stop.Path == stagedFiles[i]) report.Stop.Path = JoinPath(gameDir_, plan.Files[i]);
    } else {
        report.TextDbSaved = true;
        report.InstallNumber = record.Number;
        HandleVirtualStore(run, plan, options, record.Number, report);
    }
    Progress(callbacks, PatchProgress::Stage::Done, run.size(), run);
}

void Installer::HandleVirtualStore(const std::vector<std::string>& run, const LooseFilePlan& plan,
                                   const PatchOptions& options, int number, PatchReport& report) {
    std::vector<std::string> written;
    for (size_t i = 0; i < run.size(); ++i)
        if (report.Missions[i].Outcome == MissionOutcome::Patched) written.push_back(SceneRelative(gameDir_, run[i]));
    written.push_back(TextDbRelative());
    for (size_t i = 0; i < report.Files.size(); ++i)
        if (report.Files[i].Outcome != FileCopyOutcome::KeptExisting)
            written.push_back(GameRelative(gameDir_, plan.Files[i]));
    report.VirtualStoreFound = FindVirtualStoreCopies(SystemVirtualStoreFolders(), gameDir_, written);
    if (report.VirtualStoreFound.empty()) return;
    report.VirtualStoreAnswer = options.VirtualStore;
    report.VirtualStoreMoved =
        MoveVirtualStoreCopies(gameDir_, number, report.VirtualStoreFound, report.VirtualStoreAnswer, messages_);
}

bool Installer::StageTextDb(GameTransaction& txn, const std::string& staged) const {
    const std::optional<FileContent> content = TextDbContent(*textDb_);
    return content && txn.WriteStaged(staged, *content);
}

std::optional<FileContent> Installer::PatchMission(const std::string& name, SceneFile& patch, PatchReport& report) {
    MissionReport mission;
    mission.Name = name;
    mission.ScenePath = ScenePath(PathInAnyCase(gameDir_, "MISSIONS/"), name);
    // A scene that did not load whole is left as it is: writing it back would
    // replace the game's scene with the mod's chunks alone.
    if (!LoadFromFile(patch, mission.ScenePath, mission.LoadError)) {
        ShowFileError(messages_, mission.LoadError);
        mission.Outcome = MissionOutcome::LoadFailed;
        report.Missions.push_back(std::move(mission));
        return std::nullopt;
    }
    mission.SizeBefore = static_cast<uint32_t>(patch.FileSize);
    mission.TrailingBytes = static_cast<uint32_t>(patch.Trailing.size());
    for (const RawSection& section : patch.UnknownSections) mission.UnknownSections.push_back(section.Id);
    std::vector<ChunkImport> imports = ImportObjects(patch, store_, context_);
    Classify(imports, mission);
    std::optional<FileContent> content = SceneContent(patch);
    mission.SizeAfter = content ? static_cast<uint32_t>(content->Size) : 0;
    report.Missions.push_back(std::move(mission));
    return content;
}

void Installer::CollectAddedTexts(PatchReport& report) const {
    // New texts only ever go in before the last entry (into an empty
    // database, at its start), so they stand together in front of it.
    const int added = textDb_->Count() - entriesBeforeMod_;
    const int first = entriesBeforeMod_ == 0 ? 0 : entriesBeforeMod_ - 1;
    for (int i = first; i < first + added; ++i) report.TextsAdded.push_back(textDb_->Entry(i));
    report.TextsWithoutId = textDb_->TextsWithoutId;
}

}  // namespace pellwise
