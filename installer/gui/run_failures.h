#pragma once

#include <string>

#include "installer/engine/patch_report.h"
#include "installer/engine/wizard_result.h"
#include "services/message_text.h"

namespace pellwise {

// The text of the one error box that closes a run which left something
// undone: each mission whose scene was not read or not saved, the text
// database when it was not saved, each file of files\ that was not copied.
// each object file left out as damaged, each link in files\ copied as nothing.
// Empty when everything was done. `textDbPath` names the database.
MessageText RunFailureText(const PatchReport& report, const std::string& textDbPath, const WizardSummary& summary = {});

}  // namespace pellwise
