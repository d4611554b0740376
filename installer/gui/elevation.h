#pragma once

#include <string>

#include "services/message_text.h"
#include "services/system_error.h"

namespace pellwise {

// A program handed to the shell: ShellExecuteEx with this verb, file and
// working folder.
struct ShellStart {
    std::string Verb;
    std::string File;
    std::string Folder;
};

// Starts it and reports whether it started (a refused rights prompt is no).
bool StartWithShell(const ShellStart& start);

// This program's own file, as the system started it.
std::string ThisProgram();

// Wine exports wine_get_version from its ntdll; there every process already
// holds an administrator's token, so no restart could gain anything.
bool RunningUnderWine();

// The box for a stop for want of rights: with the offer to start again with
// administrator rights (a yes/no question), or the advice alone.
MessageText RightsText(const SystemError& error, bool offerRestart);

}  // namespace pellwise
