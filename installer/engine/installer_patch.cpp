#include <algorithm>
#include <chrono>

#include "gamedata/object_import.h"
#include "installer/engine/folders.h"
#include "installer/engine/installer.h"
#include "installer/engine/loose_files.h"
#include "installer/engine/mission_list.h"
#include "services/atomic_file.h"
#include "services/file_system.h"
#include "services/message_service.h"
#include "services/paths.h"

namespace pellwise {

namespace {

Answer AnswerOf(uint8_t overwriteAnswer) {
    return overwriteAnswer == 2 ? Answer::Yes : overwriteAnswer == 1 ? Answer::No : Answer::Ask;
}

// Which of the store's chunks already have a namesake in the scene; read
// before the import, since the import changes the scene.
struct Namesakes {
    std::vector<bool> Objects, Definitions, EntriesAE50;
};

std::vector<bool> NamesakesIn(const SectionList& store, const SectionList& scene) {
    std::vector<bool> found;
    for (const Block& chunk : store.Chunks) found.push_back(FindByName(scene, ChunkName(chunk)) >= 0);
    return found;
}

void Classify(const SectionList& store, const std::vector<bool>& namesake, bool overwrite, MissionReport& report) {
    for (size_t i = 0; i < store.Chunks.size(); ++i) {
        const Block& chunk = store.Chunks[i];
        ChunkChange change{static_cast<uint16_t>(chunk[0] | chunk[1] << 8), ChunkName(chunk), ChunkSize(chunk)};
        auto& into = !namesake[i] ? report.Added : overwrite ? report.Replaced : report.Kept;
        into.push_back(std::move(change));
    }
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
    return Ran && FailedMissions() == 0 && FailedFiles() == 0 && !FolderCopyFailed && TextsWithoutId == 0 &&
           (DryRun || TextDbSaved);
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
    const std::string missionsDir = PathInAnyCase(gameDir_, "MISSIONS/");
    const std::string filesDir = PathInAnyCase(modDir_, "files/");
    const LooseFilePlan plan = PlanLooseFiles(filesDir, gameDir_);
    if (!options.DryRun) {
        // A run that was killed may have left its temporary files beside the
        // game's; the game's own files are whole, as the replace is one step.
        for (const std::string& name : missions_) RemoveStaleTemporary(ScenePath(missionsDir, name));
        RemoveStaleTemporary(summary_.TextDbPath);
        for (const std::string& file : plan.Files) RemoveStaleTemporary(JoinPath(gameDir_, file));
    }

    std::vector<std::string> run;
    for (const std::string& name : missions_)
        if (std::find(selected.begin(), selected.end(), name) != selected.end()) run.push_back(name);
    context_.AfterChunk = callbacks.AfterChunk;
    auto progress = [&](PatchProgress::Stage stage, int index, const std::string& mission) {
        if (callbacks.Progress) callbacks.Progress({stage, index, static_cast<int>(run.size()), mission});
    };

    SceneFile patch;
    patch.OverwriteAnswer = options.Overwrite == Answer::Yes ? 2 : options.Overwrite == Answer::No ? 1 : 0;
    for (size_t i = 0; i < run.size(); ++i) {
        progress(PatchProgress::Stage::Mission, static_cast<int>(i), run[i]);
        PatchMission(run[i], patch, options.DryRun, report);
        Clear(patch);
    }
    report.SceneAnswer = AnswerOf(patch.OverwriteAnswer);

    progress(PatchProgress::Stage::TextDb, static_cast<int>(run.size()), {});
    CollectAddedTexts(report);
    if (!options.DryRun) report.TextDbSaved = Save(*textDb_, summary_.TextDbPath, messages_);

    progress(PatchProgress::Stage::Files, static_cast<int>(run.size()), {});
    report.FilesFolderPresent = DirectoryExists(filesDir);
    if (report.FilesFolderPresent && callbacks.CopyFolder) {
        if (!options.DryRun) report.FolderCopyFailed = !callbacks.CopyFolder(filesDir, gameDir_);
    } else if (report.FilesFolderPresent) {
        bool replace = options.ReplaceFiles == Answer::Yes;
        if (plan.ExistingCount() > 0) {
            if (options.ReplaceFiles == Answer::Ask)
                replace =
                    messages_.ShowMessageBox(ReplaceQuestion(plan, gameDir_), kMbYesNo | kMbIconQuestion) == kIdYes;
            report.ReplaceAnswer = replace ? Answer::Yes : Answer::No;
        }
        report.Files = CopyLooseFiles(plan, filesDir, gameDir_, replace, options.DryRun);
        report.LinksSkipped = plan.Links;
    }
    progress(PatchProgress::Stage::Done, static_cast<int>(run.size()), {});
    report.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}

void Installer::PatchMission(const std::string& name, SceneFile& patch, bool dryRun, PatchReport& report) {
    MissionReport mission;
    mission.Name = name;
    mission.ScenePath = ScenePath(PathInAnyCase(gameDir_, "MISSIONS/"), name);
    // A scene that did not load whole is left as it is: writing it back would
    // replace the game's scene with the mod's chunks alone.
    if (!LoadFromFile(patch, mission.ScenePath, messages_)) {
        mission.Outcome = MissionOutcome::LoadFailed;
        report.Missions.push_back(std::move(mission));
        return;
    }
    mission.SizeBefore = static_cast<uint32_t>(patch.FileSize);
    mission.TrailingBytes = static_cast<uint32_t>(patch.Trailing.size());
    for (const RawSection& section : patch.UnknownSections) mission.UnknownSections.push_back(section.Id);
    const Namesakes namesakes{NamesakesIn(store_.Objects, patch.Objects),
                              NamesakesIn(store_.Difinitions, patch.Difinitions),
                              NamesakesIn(store_.SectionAE50, patch.SectionAE50)};
    ImportObjects(patch, store_, context_);
    const bool overwrite = patch.OverwriteAnswer == 2;
    Classify(store_.Objects, namesakes.Objects, overwrite, mission);
    Classify(store_.Difinitions, namesakes.Definitions, overwrite, mission);
    Classify(store_.SectionAE50, namesakes.EntriesAE50, overwrite, mission);
    mission.SizeAfter = static_cast<uint32_t>(WrittenSize(patch));
    if (!dryRun && !SaveToFile(patch, mission.ScenePath, messages_)) mission.Outcome = MissionOutcome::SaveFailed;
    report.Missions.push_back(std::move(mission));
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
