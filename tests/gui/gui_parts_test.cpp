#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <memory>
#include <string>
#include <thread>

#include "installer/gui/keep_alive.h"
#include "installer/gui/mission_items.h"
#include "installer/gui/run_failures.h"
#include "installer/gui/single_instance.h"
#include "services/window/application.h"
#include "services/window/form.h"
#include "services/window/list_control.h"
#include "services/window/timer.h"

namespace pellwise {
namespace {

bool AcquireOnAnotherThread(const std::string& name) {
    bool acquired = false;
    std::thread other([&] { acquired = SingleInstance::Acquire(name.c_str()) != nullptr; });
    other.join();
    return acquired;
}

TEST(SingleInstance, ASecondCopyIsRefusedUntilTheFirstReleases) {
    const std::string name = "PellwiseTest-" + std::to_string(GetCurrentProcessId());
    auto first = SingleInstance::Acquire(name.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(AcquireOnAnotherThread(name));
    first->Release();
    EXPECT_TRUE(AcquireOnAnotherThread(name)) << "released, or abandoned by the thread that ended";
}

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

TEST(MissionItems, ANameInTheSystemCodePageReadsBackAsTheSameBytesAndOnlyStateImageTwoIsTicked) {
    Application app("Pellwise");
    Form& form = app.CreateForm("Tarnwick");
    ListControl& list = CreateListControl(form, LVS_LIST, LVS_SORTASCENDING, LVS_EX_CHECKBOXES);
    const std::string name = "Mise \xE9\xC8\xFC";  // accented in windows-1252, Cyrillic in windows-1251
    AddMissionItem(list, name);
    AddMissionItem(list, "Other");

    wchar_t expected[16] = {};
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, expected, 16);
    wchar_t shown[16] = {};
    LVITEMW item = {};
    item.pszText = shown;
    item.cchTextMax = 16;
    list.SendToControl(LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(shown, expected);
    EXPECT_EQ(MissionItemText(list, 0), name);

    EXPECT_FALSE(list.IsItemChecked(0)) << "added unticked";
    list.SetItemChecked(1, true);
    EXPECT_EQ(list.SendToControl(LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), 0x2000);
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(3);
    list.SendToControl(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_FALSE(list.IsItemChecked(0)) << "only image 2 means ticked";
    EXPECT_TRUE(list.IsItemChecked(1));
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
    EXPECT_EQ(RunFailureText(report, "C:\\t.def"), "");

    report.TextDbSaved = false;
    report.TextsWithoutId = 2;
    report.Missions = {Mission("C:\\M\\A\\scene2.bin", MissionOutcome::LoadFailed), Mission("C:\\M\\C\\scene2.bin"),
                       Mission("C:\\M\\B\\scene2.bin", MissionOutcome::SaveFailed)};
    report.Files = {{"maps\\sign.bmp", FileCopyOutcome::Failed}, {"a.txt", FileCopyOutcome::Copied}};

    EXPECT_EQ(RunFailureText(report, "C:\\t.def"),
              "The mod was not installed completely:"
              "\rC:\\M\\A\\scene2.bin could not be read and was left as it was"
              "\rC:\\M\\B\\scene2.bin could not be saved and was left as it was"
              "\rC:\\t.def could not be saved"
              "\rC:\\t.def had no free ID for some of the mod's texts"
              "\rfiles\\maps\\sign.bmp could not be copied");
}

}  // namespace
}  // namespace pellwise
