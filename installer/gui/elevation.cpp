#include "installer/gui/elevation.h"

#include <windows.h>
// shellapi.h builds on the types of windows.h.
#include <shellapi.h>

#include <vector>

namespace pellwise {

bool StartWithShell(const ShellStart& start) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = start.Verb.c_str();
    info.lpFile = start.File.c_str();
    info.lpDirectory = start.Folder.empty() ? nullptr : start.Folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}

std::string ThisProgram() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

MessageText RightsText(const SystemError& error, bool offerRestart) {
    MessageText text = MessageText("Pellwise may not write in the game folder:\r") + SystemName{error.Text()} +
                       "\r\rNothing has been changed.";
    if (offerRestart) return text + " Start Pellwise again with administrator rights? It starts from the beginning.";
    return text + " Give your user the right to write there, or run Pellwise as an administrator.";
}

}  // namespace pellwise
