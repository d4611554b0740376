#include "installer/gui/run_failures.h"

#include "services/paths.h"

namespace pellwise {

namespace {

void AddLine(std::string& text, const std::string& what, const char* problem) {
    text.append("\r").append(what).append(" ").append(problem);
}

}  // namespace

std::string RunFailureText(const PatchReport& report, const std::string& textDbPath, const WizardSummary& summary) {
    if (!report.Ran) return std::string("The installation did not run: ").append(report.Refusal);
    std::string lines;
    for (const MissionReport& mission : report.Missions) {
        if (mission.Outcome == MissionOutcome::LoadFailed)
            AddLine(lines, mission.ScenePath, "could not be read and was left as it was");
        if (mission.Outcome == MissionOutcome::SaveFailed)
            AddLine(lines, mission.ScenePath, "could not be saved and was left as it was");
    }
    if (!report.DryRun && !report.TextDbSaved) AddLine(lines, textDbPath, "could not be saved");
    if (report.TextsWithoutId > 0) AddLine(lines, textDbPath, "had no free ID for some of the mod's texts");
    for (const FileCopy& file : report.Files)
        if (file.Outcome == FileCopyOutcome::Failed)
            AddLine(lines, JoinPath("files", file.RelativePath), "could not be copied");
    for (const ObjectFileOutcome& f : summary.ObjectFiles)
        if (f.State == ObjectFileState::Damaged)
            AddLine(lines, JoinPath("DATA", f.FileName), "is damaged or unreadable and was left out");
    for (const std::string& link : report.LinksSkipped)
        AddLine(lines, JoinPath("files", link), "is a link and was not copied");
    if (lines.empty()) return {};
    return std::string("The mod was not installed completely:").append(lines);
}

}  // namespace pellwise
