// Shows a gradient panel with the four looks of a button side by side, for a
// screenshot. Closes itself after the number of milliseconds given as its
// argument (default 5000).
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "gradient/gradient_control.h"
#include "window/application.h"
#include "window/form.h"
#include "window/timer.h"

using namespace pellwise;

namespace {

void BuildDemo(Form& form) {
    form.SetBorder(false);
    form.SetClientSize(560, 200);
    form.SetResizable(false);
    form.Centre();
    form.SetFontName("Tahoma");

    GradientControl& panel = CreateGradientPanel(form);
    panel.SetSize(560, 200);
    SetDefaultGradientFrom(panel.Model(), Rgb(202, 202, 202));
    SetDefaultGradientTo(panel.Model(), Rgb(224, 224, 224));
    SetDefaultGradientStyle(panel.Model(), 6);
    panel.SetCaption("Gradient panel: Default, Over, Down, Disabled");

    const char* captions[] = {"Default", "Over", "Down", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        GradientControl& button = CreateGradientButton(panel, captions[i]);
        button.SetPosition(20 + i * 132, 80);
        button.SetSize(120, 40);
        button.SetInsideTest([](Control&) { return false; });
        if (i == 1) button.HandleMouseEnter();
        if (i == 2) button.HandlePress();
        if (i == 3) button.SetEnabled(false);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const int lifetime = commandLine && *commandLine ? std::atoi(commandLine) : 5000;
    auto app = std::make_unique<Application>("Pellwise");
    Form& form = app->CreateForm("Gradient demo");
    BuildDemo(form);
    Timer& closer = form.AddOwned(std::make_unique<Timer>(*app, lifetime));
    closer.SetHandler([&form](Timer&) { form.PostClose(); });
    closer.SetEnabled(true);
    RunMessageLoop(std::move(app));
    return 0;
}
