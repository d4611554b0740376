// The window side of the wizard: the start before the window shows, the three
// presses of Next, the "Please wait" dots and the game start.
#include <windows.h>
// commctrl.h builds on the types of windows.h.
#include <commctrl.h>

#include <string_view>

#include "gradient/gradient_control.h"
#include "installer/engine/preflight.h"
#include "installer/gui/keep_alive.h"
#include "installer/gui/main_window.h"
#include "installer/gui/mission_items.h"
#include "installer/gui/run_failures.h"
#include "services/message_service.h"
#include "services/whole_file.h"
#include "window/application.h"
#include "window/form.h"
#include "window/labels.h"
#include "window/list_control.h"
#include "window/rich_text_view.h"
#include "window/timer.h"

namespace pellwise {

namespace {

constexpr int kMissionColumnWidth = 205;

}  // namespace

void MainWindow::StartWizard() {
    MainWindowControls& c = controls_;
    c.MissionList->SetColumnWidth(kMissionColumnWidth);
    if (const auto readme = ReadWholeFile(installer_.ReadmePath())) {
        c.ReadmeView->LoadRichText(std::string_view(reinterpret_cast<const char*>(readme->data()), readme->size()));
    }
    const WizardResult result = installer_.StartWizard();
    // An interrupted run was finished or undone before the checks; the
    // player hears what became of it (a failure was the stop's own box).
    const Recovery& recovered = installer_.Recovered();
    if (recovered.Pending && !recovered.Error)
        services_.Messages.ShowMessageBox(recovered.Text(), kMbOk | kMbIconInformation);
    // The engine read the captions before its first check, so they are in
    // place whether or not a check stopped it.
    const Captions& captions = installer_.GetCaptions();
    c.MissionListLabel->SetCaption(captions.SelectMissions);
    c.TitleLabel->SetCaption(captions.Title);
    for (const std::string& mission : installer_.Missions()) AddMissionItem(*c.MissionList, mission);
    if (!result.Ok()) return;
    // Rights are checked here rather than at the run's pre-flight, so the
    // player hears of them before ticking any mission.
    const SystemError rights = services_.CheckRights ? services_.CheckRights() : installer_.CheckRights();
    if (StopForRights(rights)) return;
    c.NextButton->SetEnabled(true);
}

bool MainWindow::StopForRights(const SystemError& error) {
    if (!NeedsRights(error)) return false;
    const bool offer = static_cast<bool>(services_.Start);
    const int answer = services_.Messages.ShowMessageBox(RightsText(error, offer),
                                                         offer ? kMbYesNo | kMbIconWarning : kMbOk | kMbIconError);
    if (offer && answer == kIdYes) {
        // The new copy takes the game folder's lock (and the program's
        // single-instance mutex, which Start lets go), so this one lets it go
        // first and then only closes.
        installer_.ReleaseGameFolder();
        services_.Start({"runas", ThisProgram(), modDir_});
        app_.Window().PostClose();
    }
    return true;
}

void MainWindow::OnNextPressed(DWORD pressTime) {
    if (pageChanged_) {
        // Tick counts wrap after 49 days; the differences stay right.
        const bool tooSoon = pressTime - pageChangePress_ < GetDoubleClickTime();
        const bool beforeShown = static_cast<LONG>(pressTime - pageShownAt_) < 0;
        if (tooSoon || beforeShown) return;
    }
    pageChanged_ = true;
    pageChangePress_ = pressTime;
    OnNextClick();
    if (window_.HasWindow()) RedrawWindow(window_.HandleIfCreated(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pageShownAt_ = GetTickCount();
}

void MainWindow::OnNextClick() {
    switch (wizardStep_) {
        case 0:
            ShowMissionList();
            break;
        case 1:
            RunPatchOnScreen();
            break;
        case 2:
            StartGameAndClose();
            break;
        default:
            break;
    }
    ++wizardStep_;
}

void MainWindow::ShowMissionList() {
    controls_.PictureFrame->SetVisible(false);
    controls_.MissionListLabel->SetVisible(true);
    controls_.MissionList->SetVisible(true);
}

void MainWindow::RunPatchOnScreen() {
    MainWindowControls& c = controls_;
    c.MissionListLabel->SetVisible(false);
    c.MissionList->SetVisible(false);
    c.ReadmeView->SetVisible(true);
    c.PleaseWaitLabel->SetVisible(true);
    dotsTimer_->SetEnabled(true);
    c.ExitButton->SetEnabled(false);
    c.NextButton->SetEnabled(false);

    std::vector<std::string> ticked;
    for (int i = 0; i < c.MissionList->ItemCount(); ++i)
        if (c.MissionList->IsItemChecked(i)) ticked.push_back(MissionItemText(*c.MissionList, i));
    PatchCallbacks callbacks;
    callbacks.AfterChunk = [this] { KeepWindowsAlive(app_); };
    callbacks.Progress = [this](const PatchProgress&) { KeepWindowsAlive(app_); };
    KeepWindowsAlive(app_);
    const PatchReport report = installer_.RunPatch(ticked, PatchOptions{}, callbacks);
    const MessageText failures = RunFailureText(report, installer_.Summary().TextDbPath, installer_.Summary());
    if (!StopForRights(report.Stop) && !failures.Empty())
        services_.Messages.ShowMessageBox(failures, kMbOk | kMbIconError);

    c.ExitButton->SetEnabled(true);
    c.NextButton->SetEnabled(true);
    dotsTimer_->SetEnabled(false);
    c.PleaseWaitLabel->SetVisible(false);
    c.NextButton->SetCaption("Start GAME");
}

void MainWindow::StartGameAndClose() {
    installer_.StartGame([this](const std::string& program) {
        services_.Open(program);
        return true;
    });
    app_.Window().PostClose();
}

void MainWindow::OnDotsTimer() {
    ++dotsCounter_;
    static constexpr const char* kDots[] = {".", "..", "...", ""};
    SetPleaseWaitCaption(installer_.GetCaptions().PleaseWait + kDots[dotsCounter_ % 4]);
}

void MainWindow::SetPleaseWaitCaption(std::string caption) {
    // The label draws no background of its own: the panel below repaints
    // where the old text stood, then the label draws the new one.
    ShadowLabel& label = *controls_.PleaseWaitLabel;
    RECT area = label.Bounds();
    label.SetCaption(std::move(caption));
    const RECT now = label.Bounds();
    UnionRect(&area, &area, &now);
    if (controls_.MainPanel->HasWindow())
        RedrawWindow(controls_.MainPanel->HandleIfCreated(), &area, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace pellwise
