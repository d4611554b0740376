#include "installer/engine/left_out.h"

namespace pellwise {

std::vector<LeftOutPart> LeftOutParts(const WizardSummary& summary, const PatchReport& report) {
    std::vector<LeftOutPart> parts;
    for (const ObjectFileOutcome& f : summary.ObjectFiles)
        if (f.State == ObjectFileState::Damaged) parts.push_back({LeftOutKind::DamagedObjectFile, f.FileName});
    if (report.TextsWithoutId > 0)
        parts.push_back({LeftOutKind::TextsWithoutId, std::to_string(report.TextsWithoutId)});
    for (const std::string& link : report.LinksSkipped) parts.push_back({LeftOutKind::LinkInFiles, link});
    for (const std::string& file : report.Conflicts) parts.push_back({LeftOutKind::ConflictInFiles, file});
    return parts;
}

int HardFailures(const PatchReport& report) {
    return report.FailedMissions() + report.FailedFiles() + (report.Stop ? 1 : 0) +
           (!report.DryRun && !report.TextDbSaved ? 1 : 0);
}

}  // namespace pellwise
