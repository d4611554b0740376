#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "installer/engine/installer.h"
#include "installer/gui/elevation.h"
#include "installer/gui/splash_picture.h"

namespace pellwise {

class Application;
class Control;
class Form;
class GradientControl;
class ListControl;
class MessageService;
class RichTextView;
class ShadowLabel;
class Timer;

// What the window asks of the system, so tests can stand in for it.
struct MainWindowServices {
    MessageService& Messages;
    // Opens a file or address with the system's handler (ShellExecuteA,
    // default verb, no owner); the outcome is not examined.
    std::function<void(const std::string& file)> Open;
    // Starts a program through the shell (ShellExecuteEx); empty: no restart
    // with administrator rights is offered (under Wine there are none to gain).
    std::function<bool(const ShellStart& start)> Start = {};
    // What would stop the run for want of rights; empty: the engine checks.
    std::function<SystemError()> CheckRights = {};
};

struct MainWindowControls {
    GradientControl* MainPanel = nullptr;
    GradientControl* TitleBar = nullptr;
    GradientControl* ExitButton = nullptr;
    GradientControl* PictureFrame = nullptr;
    ShadowLabel* TitleLabel = nullptr;
    ShadowLabel* CreditLabel = nullptr;
    GradientControl* NextButton = nullptr;
    GradientControl* HelpButton = nullptr;
    Control* PictureBox = nullptr;
    GradientControl* MinimizeButton = nullptr;
    RichTextView* ReadmeView = nullptr;
    ListControl* MissionList = nullptr;
    Control* MissionListLabel = nullptr;
    ShadowLabel* PleaseWaitLabel = nullptr;
};

// The installer's one window: the picture page, the mission list and the
// read-me during and after the run, driven by the Next button. The work
// itself is the engine's; this adds what is on screen. Owned by its form.
class MainWindow {
public:
    MainWindow(Form& window, MainWindowServices services, const std::string& modDir);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The wizard start: read-me, captions, checks, missions, object store;
    // Next is enabled only when every check passed.
    void StartWizard();

    // A press of Next at the time of its message. It does nothing while the
    // page it was meant for is not shown yet (it waited in the queue while
    // the page changed) or within the double-click time of the press that
    // changed the page: a double click is one press, not two.
    void OnNextPressed(DWORD pressTime);
    // The step of the wizard that a press of Next takes.
    void OnNextClick();
    void OnDotsTimer();
    void OnExitClick();
    void OnHelpClick();
    void OnMinimizeClick();
    void OnPicturePaint(HDC dc);

    const MainWindowControls& Controls() const { return controls_; }
    Form& Window() { return window_; }
    Timer& DotsTimer() { return *dotsTimer_; }
    std::uint8_t WizardStep() const { return wizardStep_; }
    std::uint8_t DotsCounter() const { return dotsCounter_; }
    const std::string& ModDir() const { return modDir_; }
    const std::string& GameDir() const { return gameDir_; }
    const SplashPicture* Picture() const { return splashPicture_.get(); }
    const Installer& Engine() const { return installer_; }

private:
    friend MainWindow& BuildMainWindow(Form&, MainWindowServices, const std::string&);

    void BuildWindow();
    void CreateControls();
    void AttachHandlers();
    void ShowMissionList();
    void RunPatchOnScreen();
    void StartGameAndClose();
    // Explains a stop for want of rights and, where rights can be had, offers
    // to start again with them; true when the box was shown.
    bool StopForRights(const SystemError& error);
    void SetPleaseWaitCaption(std::string caption);

    Form& window_;
    Application& app_;
    MainWindowServices services_;
    MainWindowControls controls_;
    Timer* dotsTimer_ = nullptr;
    std::uint8_t wizardStep_ = 0;
    std::unique_ptr<SplashPicture> splashPicture_;
    std::string modDir_;
    std::string gameDir_;
    Installer installer_;
    std::uint8_t dotsCounter_ = 0;
    bool pageChanged_ = false;
    DWORD pageChangePress_ = 0;
    DWORD pageShownAt_ = 0;
};

// Builds the main window on `window` (a form not shown yet) and runs the
// wizard start; the window shows when the message loop starts.
MainWindow& BuildMainWindow(Form& window, MainWindowServices services, const std::string& modDir);

}  // namespace pellwise
