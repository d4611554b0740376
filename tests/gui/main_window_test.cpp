#include "installer/gui/main_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gradient/gradient_control.h"
#include "installer/engine/captions.h"
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
    explicit InstallerWindow(const SampleOptions& options = {}) : app_(std::make_unique<Application>("Pellwise")) {
        std::string error;
        if (!GenerateSampleGame(folder_.Path("Mafia\\"), options, game_, error)) ADD_FAILURE() << error;
        Form& form = app_->CreateForm("Tarnwick");
        main_ = &BuildMainWindow(form, {messages_, [](const std::string&) {}}, game_.ModDir);
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

}  // namespace
}  // namespace pellwise::testing
