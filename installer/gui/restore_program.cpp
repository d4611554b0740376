#include <cctype>
#include <string>

#include "installer/engine/restore.h"
#include "installer/engine/transaction.h"
#include "installer/gui/program.h"
#include "services/file_system.h"
#include "services/paths.h"
#include "services/win32_message_service.h"

namespace pellwise {

bool WantsRestore(const char* commandLine) {
    std::string line = commandLine ? commandLine : "";
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return line.find("/restore") != std::string::npos;
}

int RunRestoreProgram() {
    Win32MessageService messages("Pellwise");
    // The program lies in the mod's folder inside the game's, as for an install.
    const std::string modDir = ProgramFolder();
    const std::string gameDir = ParentFolder(modDir);
    std::string mod = modDir.substr(gameDir.size());
    while (!mod.empty() && (mod.back() == '\\' || mod.back() == '/')) mod.pop_back();

    // The lock is held from the question on, so no install starts meanwhile.
    const GameSession session = OpenGameSession(gameDir);
    if (session.Held) {
        messages.ShowMessageBox(std::string(kLockedMessage), kMbOk | kMbIconError);
        return 1;
    }
    const std::string recovered = session.Recovered.Pending ? session.Recovered.Text() + "\r\r" : std::string();
    const std::string question =
        recovered + "Restore the game as it was before the last install of " + mod + "?\rThe game folder: " + gameDir;
    if (messages.ShowMessageBox(question, kMbYesNo | kMbIconQuestion) != kIdYes) return 1;
    RestoreOptions options;
    options.Mod = mod;
    const RestoreReport report = RestoreGame(gameDir, options, session ? &session : nullptr);
    messages.ShowMessageBox(report.Text(), report.Ok() ? kMbOk | kMbIconInformation : kMbOk | kMbIconError);
    return report.Ok() ? 0 : 1;
}

}  // namespace pellwise
