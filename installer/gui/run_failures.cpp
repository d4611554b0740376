#include "installer/gui/run_failures.h"

#include "services/paths.h"

namespace pellwise {

namespace {

void AddLine(MessageText& text, const std::string& path, const char* problem) {
    text += MessageText("\r") + SystemName{path} + " " + problem;
}

// "PATH could not be read (REASON) and was left as it was": the reason in
// the system's words goes in the middle, when the error names one.
void AddLine(MessageText& text, const std::string& path, const char* problem, const FileError& error,
             const char* outcome) {
    const std::string reason = FileErrorReason(error);
    text += MessageText("\r") + SystemName{path} + " " + problem;
    if (!reason.empty()) text += " (" + SystemName{reason} + ")";
    text += MessageText(" ") + outcome;
}

}  // namespace

MessageText RunFailureText(const PatchReport& report, const std::string& textDbPath, const WizardSummary& summary) {
    if (!report.Ran) return MessageText("The installation did not run: ") + report.Refusal;
    // Stopped before the switch: nothing of the game changed, whatever else failed.
    if (report.Stop)
        return MessageText("Nothing was installed; the game is as it was:\r") + SystemName{report.Stop.Text()};
    MessageText lines;
    for (const MissionReport& mission : report.Missions) {
        if (mission.Outcome == MissionOutcome::LoadFailed)
            AddLine(lines, mission.ScenePath, "could not be read", mission.LoadError, "and was left as it was");
        if (mission.Outcome == MissionOutcome::SaveFailed)
            AddLine(lines, mission.ScenePath, "could not be saved and was left as it was");
    }
    if (!report.DryRun && !report.TextDbSaved) AddLine(lines, textDbPath, "could not be saved");
    if (report.TextsWithoutId > 0) AddLine(lines, textDbPath, "had no free ID for some of the mod's texts");
    for (const FileCopy& file : report.Files)
        if (file.Outcome == FileCopyOutcome::Failed)
            AddLine(lines, JoinPath("files", file.RelativePath), "could not be copied");
    for (const std::string& file : report.Conflicts)
        AddLine(lines, JoinPath("files", file), "would replace a file this installation patches and was not copied");
    for (const ObjectFileOutcome& f : summary.ObjectFiles)
        if (f.State == ObjectFileState::Damaged)
            AddLine(lines, JoinPath("DATA", f.FileName), "is damaged or unreadable", f.Error, "and was left out");
    for (const std::string& link : report.LinksSkipped)
        AddLine(lines, JoinPath("files", link), "is a link and was not copied");
    if (lines.Empty()) return {};
    return MessageText("The mod was not installed completely:") + lines;
}

}  // namespace pellwise
