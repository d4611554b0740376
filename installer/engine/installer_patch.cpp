#include <algorithm>
#include <chrono>

#include "gamedata/object_import.h"
#include "installer/engine/installer.h"
#include "installer/engine/loose_files.h"
#include "installer/engine/mission_list.h"
#include "services/atomic_file.h"
#include "services/file_system.h"
#include "services/message_service.h"
#include "services/paths.h"

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
    const std::string missionsDir = JoinPath(gameDir_, "MISSIONS/");
    const std::string filesDir = JoinPath(modDir_, "files/");
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
    patch.OverwriteAnswer = options.Overwrite;
    for (size_t i = 0; i < run.size(); ++i) {
        progress(PatchProgress::Stage::Mission, static_cast<int>(i), run[i]);
        PatchMission(run[i], patch, options.DryRun, report);
        Clear(patch);
    }
    report.SceneAnswer = patch.OverwriteAnswer;

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
                replace = messages_.ShowMessageBox(ReplaceQuestion(plan, gameDir_, captions_.ReplaceFiles),
                                                   kMbYesNo | kMbIconQuestion) == kIdYes;
            report.ReplaceAnswer = replace ? Answer::Yes : Answer::No;
        }
        report.Files = CopyLooseFiles(plan, filesDir, gameDir_, replace, options.DryRun);
    }
    progress(PatchProgress::Stage::Done, static_cast<int>(run.size()), {});
    report.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}

void Installer::PatchMission(const std::string& name, SceneFile& patch, bool dryRun, PatchReport& report) {
    MissionReport mission;
    mission.Name = name;
    mission.ScenePath = ScenePath(JoinPath(gameDir_, "MISSIONS/"), name);
    // A scene that did not load whole is left as it is: writing it back would
    // replace the game's scene with the mod's chunks alone.
    if (!LoadFromFile(patch, mission.ScenePath, messages_)) {
        mission.Outcome = MissionOutcome::LoadFailed;
        report.Missions.push_back(std::move(mission));
        return;
    }
    mission.SizeBefore = patch.TotalSize;
    for (const RawSection& section : patch.UnknownSections) mission.UnknownSections.push_back(section.Id);
    std::vector<ChunkImport> imports = ImportObjects(patch, store_, context_);
    Classify(imports, mission);
    mission.SizeAfter = patch.TotalSize;
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
