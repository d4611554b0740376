#include "installer/gui/main_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gradient/gradient_control.h"
#include "installer/engine/captions.h"
#include "installer/engine/ledger.h"
#include "installer/gui/mission_items.h"
#include "installer/sample/sample_game.h"
#include "tests/services/temp_folder.h"
#include "tests/support/recording_message_service.h"
#include "window/application.h"
#include "window/form.h"
#include "window/labels.h"
#include "window/list_control.h"
#include "window/rich_text_view.h"

namespace pellwise::testing {
namespace {

// The installer's main window on a sample game in a fresh temporary folder,
// with recorded message boxes and no shell.
class InstallerWindow {
public:
    explicit InstallerWindow(const SampleOptions& options = {},
                             const std::function<void(MainWindowServices&)>& adjust = {})
        : app_(std::make_unique<Application>("Pellwise")) {
        std::string error;
        if (!GenerateSampleGame(folder_.Path("Mafia\\"), options, game_, error)) ADD_FAILURE() << error;
        Form& form = app_->CreateForm("Tarnwick");
        MainWindowServices services{messages_, [](const std::string&) {}};
        if (adjust) adjust(services);
        main_ = &BuildMainWindow(form, std::move(services), game_.ModDir);
        form.SetVisible(true);
        ProcessPendingMessages(*app_);
    }

    const SampleGame& Game() const { return game_; }
    MainWindow& Main() { return *main_; }
    const MainWindowControls& Controls() { return main_->Controls(); }
    RecordingMessageService& Messages() { return messages_; }
    Application& App() { return *app_; }

private:
    TempFolder folder_;
    SampleGame game_;
    RecordingMessageService messages_;
    std::unique_ptr<Application> app_;
    MainWindow* main_ = nullptr;
};

TEST(MainWindow, AMissionThatTurnedUnreadableIsListedInOneErrorBoxAndKeepsItsFile) {
    SampleOptions options;
    options.Collisions = 0;
    options.ReplaceableFile = false;
    InstallerWindow window(options);
    const SampleGame& game = window.Game();
    MainWindow& main = window.Main();
    main.OnNextClick();
    window.Controls().MissionList->SetItemChecked(0, true);
    window.Controls().MissionList->SetItemChecked(1, true);
    WriteBytes(game.Missions[0].ScenePath, "no scene at all");

    main.OnNextClick();

    EXPECT_EQ(ReadBytes(game.Missions[0].ScenePath), "no scene at all");
    const std::vector<RecordedMessage>& shown = window.Messages().Messages();
    ASSERT_GE(shown.size(), 2u) << "the reader's own message, then the summary";
    const RecordedMessage& summary = shown.back();
    EXPECT_EQ(summary.flags, kMbOk | kMbIconError);
    EXPECT_NE(summary.text.find(game.Missions[0].ScenePath), std::string::npos) << summary.text;
    EXPECT_EQ(summary.text.find(game.Missions[1].ScenePath), std::string::npos) << summary.text;
    EXPECT_EQ(window.Controls().NextButton->Caption(), "Start GAME");
}

// Two presses as fast as a double click: the second must not run the patch
// with no mission ticked.
TEST(MainWindow, ADoubleClickOnNextLeavesTheMissionListShown) {
    InstallerWindow window;
    const MainWindowControls& c = window.Controls();
    HWND next = c.NextButton->Handle();
    for (int click = 0; click < 2; ++click) {
        PostMessageW(next, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostMessageW(next, WM_LBUTTONUP, 0, 0);
    }
    ProcessPendingMessages(window.App());

    EXPECT_EQ(window.Main().WizardStep(), 1);
    EXPECT_TRUE(c.MissionList->IsVisible());
    EXPECT_FALSE(c.ReadmeView->IsVisible());
    EXPECT_TRUE(c.NextButton->IsEnabled());
    EXPECT_EQ(c.MissionList->ColumnWidth(), 205);
}

TEST(MainWindow, TheDotsShowTwoThreeNoneAndOneAfterTheConfiguredText) {
    InstallerWindow window;
    ShadowLabel& label = *window.Controls().PleaseWaitLabel;
    const std::string text = DefaultCaptions().PleaseWait;
    std::vector<std::string> shown;
    for (int tick = 0; tick < 5; ++tick) {
        window.Main().OnDotsTimer();
        shown.push_back(label.Caption());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{text + "..", text + "...", text, text + ".", text + ".."}));
}

// The list view sorts "m-2" by its own comparison, which need not be the
// engine's; the missions are patched as the player saw them listed.
TEST(MainWindow, TickedMissionsArePatchedInTheListsOrder) {
    SampleOptions options;
    options.MissionNames = {"m3", "m-2", "m1"};
    InstallerWindow window(options);
    ListControl& list = *window.Controls().MissionList;
    window.Main().OnNextClick();
    std::vector<std::string> shown;
    for (int i = 0; i < list.ItemCount(); ++i) {
        list.SetItemChecked(i, true);
        shown.push_back("MISSIONS/" + MissionItemText(list, i) + "/scene2.bin");
    }
    window.Main().OnNextClick();

    const std::optional<std::vector<InstallRecord>> ledger = ReadLedger(window.Game().GameDir);
    ASSERT_TRUE(ledger && !ledger->empty());
    std::vector<std::string> patched;
    for (const FileChange& file : ledger->back().Files)
        if (file.Path.rfind("MISSIONS/", 0) == 0) patched.push_back(file.Path);
    EXPECT_EQ(patched, shown);
}

// Every scene, the database and the loose files as they are now.
std::vector<std::string> GameFiles(const SampleGame& game) {
    std::vector<std::string> files{ReadBytes(game.TextDbPath)};
    for (const SampleMission& m : game.Missions) files.push_back(ReadBytes(m.ScenePath));
    return files;
}

// The window's close, once the messages waiting were handled.
bool Closing(Application& app) {
    ProcessPendingMessages(app);
    return app.Terminated();
}

// A game folder the player may not write in: the box says so before any
// mission is ticked. On yes the restart goes through the shell's "runas"
// from the program's folder and this copy changes nothing and closes; on no,
// or where no rights can be had (Wine), Next stays disabled.
TEST(MainWindow, AccessDeniedOffersARestartWithRightsAndChangesNothing) {
    std::vector<ShellStart> started;
    const auto denied = [&started](int answer) {
        return [&started, answer](MainWindowServices& services) {
            static_cast<RecordingMessageService&>(services.Messages).QueueAnswer(answer);
            services.CheckRights = [] { return SystemError{ReasonKind::AccessDenied, "C:\\Program Files\\Mafia", {}}; };
            services.Start = [&started](const ShellStart& start) {
                started.push_back(start);
                return true;
            };
        };
    };
    InstallerWindow no({}, denied(kIdNo));
    ASSERT_EQ(no.Messages().Count(), 1);
    EXPECT_EQ(no.Messages().Messages()[0].flags, kMbYesNo | kMbIconWarning);
    EXPECT_NE(no.Messages().Texts()[0].find("C:\\Program Files\\Mafia"), std::string::npos);
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(no.Controls().NextButton->IsEnabled());
    EXPECT_FALSE(Closing(no.App()));

    InstallerWindow yes({}, denied(kIdYes));
    const std::vector<std::string> before = GameFiles(yes.Game());
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].Verb, "runas");
    EXPECT_EQ(started[0].File, ThisProgram());
    EXPECT_EQ(started[0].Folder, yes.Game().ModDir);
    EXPECT_TRUE(Closing(yes.App()));
    EXPECT_FALSE(yes.Controls().NextButton->IsEnabled());
    // Even pressed, this copy runs nothing: the game folder is the new copy's.
    yes.Main().OnNextClick();
    yes.Main().OnNextClick();
    EXPECT_EQ(GameFiles(yes.Game()), before);
    EXPECT_FALSE(ReadLedger(yes.Game().GameDir).value_or(std::vector<InstallRecord>{}).size() > 0);

    InstallerWindow wine({}, [&](MainWindowServices& services) {
        denied(kIdYes)(services);
        services.Start = nullptr;
    });
    ASSERT_EQ(wine.Messages().Count(), 1);
    EXPECT_EQ(wine.Messages().Messages()[0].flags, kMbOk | kMbIconError);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_FALSE(wine.Controls().NextButton->IsEnabled());
}

}  // namespace
}  // namespace pellwise::testing
