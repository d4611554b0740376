#pragma once

#include <string>
#include <vector>

#include "installer/engine/patch_report.h"
#include "installer/engine/wizard_result.h"

namespace pellwise {

// A part of the mod that a run left out although it did everything it was
// asked: such a run is a partial install, never a complete one.
enum class LeftOutKind {
    DamagedObjectFile,  // unreadable, empty or cut short: its chunk is not in any mission
    TextsWithoutId,     // the database had no free ID: Name holds how many texts show text 0
    LinkInFiles,        // a link in files\, copied as nothing
    ConflictInFiles,    // a file of files\ over a file the run patches: not copied
};

struct LeftOutPart {
    LeftOutKind Kind;
    std::string Name;  // the object file or the path below files\ (system encoding), or a count
};

std::vector<LeftOutPart> LeftOutParts(const WizardSummary& summary, const PatchReport& report);

// Missions, files or the text database that failed outright.
int HardFailures(const PatchReport& report);

}  // namespace pellwise
