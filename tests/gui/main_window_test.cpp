#include "installer/gui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gradient/gradient_control.h"
#include "installer/engine/captions.h"
#include "installer/gui/mission_items.h"
#include "services/window/labels.h"
#include "services/window/list_control.h"
#include "services/window/rich_text_view.h"
#include "services/window/timer.h"
#include "tests/gui/gui_test_support.h"

namespace pellwise::testing {
namespace {

TEST(MainWindow, TheWizardStartFillsThePicturePageAndEnablesNext) {
    SampleFolder sample;
    InstallerWindow window(sample.Game());
    const MainWindowControls& c = window.Controls();
    EXPECT_EQ(window.Messages().Count(), 0) << window.Messages().Utf8Texts().front();
    EXPECT_TRUE(c.NextButton->IsEnabled());
    EXPECT_TRUE(c.PictureFrame->IsVisible());
    EXPECT_FALSE(c.MissionList->IsVisible());
    ASSERT_NE(window.Main().Picture(), nullptr);

    ASSERT_EQ(c.MissionList->ItemCount(), static_cast<int>(sample.Game().Missions.size()));
    for (int i = 0; i < c.MissionList->ItemCount(); ++i) {
        EXPECT_EQ(MissionItemText(*c.MissionList, i), sample.Game().Missions[i].Name);
        EXPECT_FALSE(c.MissionList->IsItemChecked(i));
    }
    EXPECT_GT(GetWindowTextLengthW(c.ReadmeView->Handle()), 0) << "the read-me is loaded before the run";
    window.Main().OnHelpClick();
    EXPECT_EQ(window.Opened(), std::vector<std::string>{"https://forum.example.org/tarnwick/"});
}

TEST(MainWindow, AGameWithoutItsTextDatabaseShowsNoFileOnceAndOnlyExitAndMinimizeWork) {
    SampleFolder sample;
    DeleteFileA(sample.Game().TextDbPath.c_str());
    InstallerWindow window(sample.Game());
    ASSERT_EQ(window.Messages().Count(), 1);
    EXPECT_EQ(window.Messages().Messages()[0].text, DefaultCaptions().NoFile + sample.Game().TextDbPath);
    EXPECT_EQ(window.Messages().Messages()[0].flags, kMbOk | kMbIconError);
    EXPECT_FALSE(window.Controls().NextButton->IsEnabled());
    EXPECT_EQ(window.Controls().TitleLabel->Caption(), "[Tarnwick] Installer") << "captions come before the checks";

    window.Main().OnMinimizeClick();
    EXPECT_EQ(window.App().Window().RecordedState(), WindowState::Minimized);
    window.Main().OnExitClick();
    window.Pump();
    EXPECT_TRUE(window.App().Terminated());
}

TEST(MainWindow, NextLeadsFromThePictureThroughThePatchRunToTheGameStart) {
    SampleOptions options;
    options.Collisions = 1;  // every mission has a name the mod brings too
    SampleFolder sample(options);
    const SampleGame& game = sample.Game();
    InstallerWindow window(game);
    const MainWindowControls& c = window.Controls();
    MainWindow& main = window.Main();

    main.OnNextClick();
    window.Pump();
    EXPECT_TRUE(c.MissionList->IsVisible());
    c.MissionList->SetItemChecked(0, true);
    c.MissionList->SetItemChecked(2, true);
    std::vector<std::string> before;
    for (const SampleMission& m : game.Missions) before.push_back(ReadBytes(m.ScenePath));
    window.Messages().QueueAnswer(kIdYes);  // overwrite the mod's namesakes
    window.Messages().QueueAnswer(kIdYes);  // replace the game's file from files\ .
    main.OnNextClick();
    window.Pump();

    for (size_t i = 0; i < game.Missions.size(); ++i) {
        const bool ticked = i == 0 || i == 2;
        EXPECT_EQ(ReadBytes(game.Missions[i].ScenePath) != before[i], ticked) << game.Missions[i].Name;
    }
    const std::vector<std::string> texts = window.Messages().Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), DefaultCaptions().OverwriteQuestion()), 1)
        << "asked once for the whole run";
    EXPECT_EQ(ReadBytes(game.GameDir + game.ExistingLooseFiles[0]),
              ReadBytes(game.ModDir + "files\\" + game.ExistingLooseFiles[0]));
    EXPECT_EQ(c.NextButton->Caption(), "Start GAME");
    EXPECT_TRUE(c.NextButton->IsEnabled());
    EXPECT_TRUE(c.ExitButton->IsEnabled());
    EXPECT_FALSE(main.DotsTimer().Enabled());
    EXPECT_FALSE(c.PleaseWaitLabel->IsVisible());
    EXPECT_TRUE(c.ReadmeView->IsVisible());

    main.OnNextClick();
    EXPECT_EQ(window.Opened(), std::vector<std::string>{game.GameDir + "game.exe"});
    EXPECT_FALSE(window.App().Terminated()) << "the close is posted";
    window.Pump();
    EXPECT_TRUE(window.App().Terminated());
    main.OnNextClick();
    EXPECT_EQ(window.Opened().size(), 1u) << "later presses only count";
}

TEST(MainWindow, AMissionThatTurnedUnreadableIsListedInOneErrorBoxAndKeepsItsFile) {
    SampleOptions options;
    options.Collisions = 0;
    options.ReplaceableFile = false;
    SampleFolder sample(options);
    const SampleGame& game = sample.Game();
    InstallerWindow window(game);
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

TEST(MainWindow, TheDotsShowTwoThreeNoneAndOneAfterTheConfiguredText) {
    SampleFolder sample;
    InstallerWindow window(sample.Game());
    ShadowLabel& label = *window.Controls().PleaseWaitLabel;
    EXPECT_EQ(label.Caption(), "Please wait ...");
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
