#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "installer/engine/sample_game.h"
#include "installer/gui/main_window.h"
#include "services/recording_message_service.h"
#include "services/window/application.h"
#include "services/window/form.h"
#include "tests/services/temp_folder.h"

namespace pellwise::testing {

// A sample game in a fresh temporary folder, removed with the object.
class SampleFolder {
public:
    explicit SampleFolder(const SampleOptions& options = {}) {
        std::string error;
        if (!GenerateSampleGame(folder_.Path("Mafia\\"), options, game_, error)) ADD_FAILURE() << error;
    }
    const SampleGame& Game() const { return game_; }

private:
    TempFolder folder_;
    SampleGame game_;
};

// The installer's main window on a sample game, with recorded message boxes
// and a recorder in place of the shell.
class InstallerWindow {
public:
    explicit InstallerWindow(const SampleGame& game) : app_(std::make_unique<Application>("Pellwise")) {
        Form& form = app_->CreateForm("Tarnwick");
        main_ = &BuildMainWindow(form, {messages_, [this](const std::string& file) { opened_.push_back(file); }},
                                 game.ModDir);
        form.SetVisible(true);
        Pump();
    }

    MainWindow& Main() { return *main_; }
    const MainWindowControls& Controls() { return main_->Controls(); }
    Application& App() { return *app_; }
    RecordingMessageService& Messages() { return messages_; }
    const std::vector<std::string>& Opened() const { return opened_; }
    void Pump() { ProcessPendingMessages(*app_); }

private:
    RecordingMessageService messages_;
    std::vector<std::string> opened_;
    std::unique_ptr<Application> app_;
    MainWindow* main_ = nullptr;
};

}  // namespace pellwise::testing
