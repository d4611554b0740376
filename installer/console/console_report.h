#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "installer/engine/installer.h"

namespace pellwise {

// A chunk or section id as mod authors see it in hex editors: "0xAE21".
std::string HexId(uint16_t id);

const char* StopDescription(WizardStop stop);
const char* KindDescription(TextDBKind kind);

// The install report, UTF-8: the checks passed, each mission's chunks and
// sizes, the texts added with their IDs, object files not installed, the
// files copied, and the time taken.
void PrintReport(std::ostream& out, const Installer& installer, const PatchReport& report, const PatchOptions& options,
                 int unansweredQuestions);

}  // namespace pellwise
