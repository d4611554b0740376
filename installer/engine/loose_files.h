#pragma once

#include <string>
#include <vector>

#include "installer/engine/patch_report.h"
#include "services/message_text.h"

namespace pellwise {

class MessageService;

// The copy of the mod's files\ into the game folder. Each file is written
// beside its target and swapped in at once, so a game file is never left
// half replaced; files the game has already are replaced only on a Yes,
// asked once for the whole copy unless preset.
struct LooseFilePlan {
    std::vector<std::string> Files;    // relative to files\ and to the game folder
    std::vector<std::string> Folders;  // every folder below files\, empty ones too
    std::vector<bool> Exists;          // the game has the file already
    std::vector<std::string> Links;    // links below files\, copied as nothing
    int ExistingCount() const;
};

LooseFilePlan PlanLooseFiles(const std::string& filesDir, const std::string& gameDir);

// The question asked before the first existing file is replaced: the
// caption, then on a line of its own the first file it would replace.
MessageText ReplaceQuestion(const LooseFilePlan& plan, const std::string& gameDir, const std::string& caption);

// Copies (or, in a dry run, only decides) every file of the plan.
std::vector<FileCopy> CopyLooseFiles(const LooseFilePlan& plan, const std::string& filesDir, const std::string& gameDir,
                                     bool replace, bool dryRun);

}  // namespace pellwise
