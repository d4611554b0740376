// Shows a gradient panel with the four looks of a button side by side, for a
// screenshot. Closes itself after the number of milliseconds given as its
// argument (default 5000). With "--time" it prints instead how long RenderLook
// takes per look (indicative only: GDI under Wine).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "gradient/gradient_control.h"
#include "services/window/application.h"
#include "services/window/form.h"
#include "services/window/labels.h"
#include "services/window/timer.h"

using namespace pellwise;

namespace {

void BuildDemo(Application& app, Form& form) {
    form.SetBorder(false);
    form.SetClientSize(560, 200);
    form.SetResizable(false);
    form.Centre();
    form.SetFontName("Tahoma");

    GradientControl& panel = CreateGradientPanel(form);
    panel.SetSize(560, 200);
    SetDefaultGradientFrom(panel.Model(), Rgb(202, 202, 202));
    SetDefaultGradientTo(panel.Model(), Rgb(224, 224, 224));
    SetAllOuterColor(panel.Model(), Rgb(255, 255, 255));
    SetDefaultBorderColor(panel.Model(), Rgb(0, 0, 0));
    SetDefaultCornerWidth(panel.Model(), 0);
    SetDefaultCornerHeight(panel.Model(), 0);
    SetDefaultGradientStyle(panel.Model(), 6);
    SetAllShadowOffset(panel.Model(), 2);
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
    ShadowLabel& credit = CreateShadowLabel(panel, "Pellwise", 1);
    credit.SetTransparent(true);
    credit.SetTextAlign(0);
    credit.SetFontColor(Rgb(0, 0, 0));
    credit.SetShadowColor(Rgb(255, 255, 255));
    credit.SetAutoSize(true);
    credit.SetPosition(470, 170);
    (void)app;
}

double MicrosecondsPerRender(GradientControl& control, LookState look, bool dib) {
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) control.RenderLook(look, dib);
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / kRounds;
}

void PrintRenderTimes(Application& app, Form& form, const char* fill) {
    GradientControl& button = CreateGradientButton(form, "Next");
    button.SetSize(137, 31);
    GradientControl& panel = CreateGradientPanel(form);
    panel.SetSize(633, 505);
    SetDefaultGradientStyle(panel.Model(), 6);
    SetAllShadowOffset(panel.Model(), 2);
    panel.SendToControl(WM_SIZE, 0, 0);
    const char* names[] = {"Default", "Over", "Down", "Disabled"};
    for (int s = 0; s < kLookCount; ++s) {
        const auto look = static_cast<LookState>(s);
        std::printf("RenderLook %-8s %s fill: button 137x31 %8.1f us, panel 633x505 %8.1f us\n", names[s], fill,
                    MicrosecondsPerRender(button, look, look != LookState::Disabled),
                    MicrosecondsPerRender(panel, look, false));
    }
    std::fflush(stdout);
    (void)app;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (commandLine && std::strncmp(commandLine, "--time", 6) == 0) {
        auto app = std::make_unique<Application>("Pellwise");
        Form& form = app->CreateForm("Gradient timing");
        form.SetClientSize(700, 600);
        PrintRenderTimes(*app, form, app->SystemGradientFill() ? "system" : "own");
        app->UseOwnGradientFill();
        PrintRenderTimes(*app, form, "own");
        return 0;
    }
    const int lifetime = commandLine && *commandLine ? std::atoi(commandLine) : 5000;
    auto app = std::make_unique<Application>("Pellwise");
    Form& form = app->CreateForm("Gradient demo");
    BuildDemo(*app, form);
    Timer& closer = form.AddOwned(std::make_unique<Timer>(*app, lifetime));
    closer.SetHandler([&form](Timer&) { form.PostClose(); });
    closer.SetEnabled(true);
    RunMessageLoop(std::move(app));
    return 0;
}
