#include "installer/gui/program.h"

#include <windows.h>
// shellapi.h builds on the types of windows.h.
#include <shellapi.h>

#include <memory>
#include <utility>

#include "installer/gui/elevation.h"
#include "installer/gui/main_window.h"
#include "installer/gui/single_instance.h"
#include "services/file_system.h"
#include "services/win32_message_service.h"
#include "window/application.h"
#include "window/form.h"

namespace pellwise {

namespace {

void ShellOpen(const std::string& file) {
    ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

int RunInstallerProgram() {
    auto app = std::make_unique<Application>("Pellwise");
    Form& form = app->CreateForm("Tarnwick");
    form.SetPosition(335, 182);
    std::unique_ptr<SingleInstance> instance = SingleInstance::Acquire("Tarnwick");
    if (!instance) return 0;
    // The next copy may start as soon as this one is closing.
    SingleInstance& held = app->Window().AddOwned(std::move(instance));
    app->Window().AttachHook([&held](Control&, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE || message == WM_NCDESTROY) held.Release();
        return std::nullopt;
    });
    Win32MessageService messages(app->Title());
    MainWindowServices services{messages, &ShellOpen};
    if (!RunningUnderWine()) {
        services.Start = [&held](const ShellStart& start) {
            // The copy started must not find this one still holding the mutex.
            held.Release();
            return StartWithShell(start);
        };
    }
    BuildMainWindow(form, std::move(services), ProgramFolder());
    RunMessageLoop(std::move(app));
    return 0;
}

}  // namespace pellwise
