#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "installer/gui/keep_alive.h"
#include "installer/gui/run_failures.h"
#include "window/application.h"
#include "window/form.h"
#include "window/timer.h"

namespace pellwise {
namespace {

// The run keeps the window drawn; a click or key in that time must wait, or
// the player could leave or start a second run while files are written.
TEST(KeepWindowsAlive, TimersTickWhileInputWaitsInTheQueue) {
    Application app("Pellwise");
    Form& form = app.CreateForm("Tarnwick");
    form.SetVisible(true);
    ProcessPendingMessages(app);
    int ticks = 0;
    Timer& timer = form.AddOwned(std::make_unique<Timer>(app, 1));
    timer.SetHandler([&](Timer&) { ++ticks; });
    timer.SetEnabled(true);
    PostMessageW(form.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(form.Handle(), WM_LBUTTONDOWN, 0, 0);
    Sleep(50);

    KeepWindowsAlive(app);

    EXPECT_GT(ticks, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, form.Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageW(&msg, form.Handle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
    timer.SetEnabled(false);
}

MissionReport Mission(const std::string& path, MissionOutcome outcome = MissionOutcome::Patched) {
    MissionReport mission;
    mission.ScenePath = path;
    mission.Outcome = outcome;
    return mission;
}

TEST(RunFailures, EveryMissionAndFileLeftUndoneIsListedOnItsOwnLineAndACompleteRunHasNoBox) {
    PatchReport report;
    report.Ran = true;
    report.TextDbSaved = true;
    report.Missions.push_back(Mission("C:\\M\\FREERIDE\\scene2.bin"));
    EXPECT_TRUE(RunFailureText(report, "C:\\t.def").Empty());

    report.TextDbSaved = false;
    report.TextsWithoutId = 2;
    report.Missions = {Mission("C:\\M\\A\\scene2.bin", MissionOutcome::LoadFailed), Mission("C:\\M\\C\\scene2.bin"),
                       Mission("C:\\M\\B\\scene2.bin", MissionOutcome::SaveFailed)};
    report.Files = {{"maps\\sign.bmp", FileCopyOutcome::Failed}, {"a.txt", FileCopyOutcome::Copied}};
    report.LinksSkipped = {"loop"};
    report.Missions[0].LoadError = {FileErrorKind::CannotOpen,
                                    GameFileKind::Scene,
                                    "C:\\M\\A\\scene2.bin",
                                    0,
                                    {ReasonKind::Locked, "C:\\M\\A\\scene2.bin", {}}};
    WizardSummary summary;
    summary.ObjectFiles = {{"cut.dnc", 0, "", ObjectFileState::Damaged, "", {}},
                           {"ok.dnc", 0, "", ObjectFileState::Stored, "", {}}};
    summary.ObjectFiles[0].Error = {FileErrorKind::Damaged, GameFileKind::ObjectFile, "cut.dnc", 2, {}};

    EXPECT_EQ(RunFailureText(report, "C:\\t.def", summary).Bytes(),
              "The mod was not installed completely:"
              "\rC:\\M\\A\\scene2.bin could not be read (locked by another program) and was left as it was"
              "\rC:\\M\\B\\scene2.bin could not be saved and was left as it was"
              "\rC:\\t.def could not be saved"
              "\rC:\\t.def had no free ID for some of the mod's texts"
              "\rfiles\\maps\\sign.bmp could not be copied"
              "\rDATA\\cut.dnc is damaged or unreadable (damaged at offset 2) and was left out"
              "\rfiles\\loop is a link and was not copied");
}

}  // namespace
}  // namespace pellwise
