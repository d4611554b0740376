#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "installer/engine/sample_game.h"
#include "installer/gui/main_window.h"
#include "services/recording_message_service.h"
#include "services/window/application.h"

namespace pellwise::testing {

// A sample game in a fresh folder under the temporary folder, removed with
// the object.
class SampleFolder {
public:
    explicit SampleFolder(const SampleOptions& options = {});
    ~SampleFolder();
    SampleFolder(const SampleFolder&) = delete;
    SampleFolder& operator=(const SampleFolder&) = delete;

    const SampleGame& Game() const { return game_; }

private:
    std::string root_;
    SampleGame game_;
};

std::string ReadBytes(const std::string& path);  // "<missing>" when unreadable
void WriteBytes(const std::string& path, const std::string& bytes);

// The installer's main window on a sample game, with recorded message boxes
// and a recorder in place of the shell.
class InstallerWindow {
public:
    explicit InstallerWindow(const SampleGame& game);
    ~InstallerWindow();

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
