#include "installer/gui/main_window.h"

#include <windows.h>
// commctrl.h and richedit.h build on the types of windows.h.
#include <commctrl.h>
#include <richedit.h>

#include "gradient/gradient_control.h"
#include "installer/gui/main_window_looks.h"
#include "services/paths.h"
#include "window/application.h"
#include "window/form.h"
#include "window/labels.h"
#include "window/list_control.h"
#include "window/rich_text_view.h"
#include "window/timer.h"

namespace pellwise {

namespace {

constexpr int kClientWidth = 633;
constexpr int kClientHeight = 505;
constexpr int kDotsInterval = 300;
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

struct Place {
    int X, Y, Width, Height;
};

template <typename T>
T& Placed(T& control, Place p) {
    control.SetPosition(p.X, p.Y);
    control.SetSize(p.Width, p.Height);
    return control;
}

ShadowLabel& MakeShadowLabel(Control& parent, std::string caption, int x, int y, Color text, int fontHeight,
                             Color shadow) {
    ShadowLabel& label = CreateShadowLabel(parent, std::move(caption), 1);
    label.SetEdgeStyle(false);
    label.SetTransparent(true);
    label.SetTextAlign(0);
    label.SetFontColor(text);
    label.SetFontHeight(fontHeight);
    label.SetShadowColor(shadow);
    label.SetAutoSize(true);
    label.SetPosition(x, y);
    return label;
}

GradientControl& MakeButton(Control& parent, std::string caption, Place place, const ButtonLook& look) {
    GradientControl& button = Placed(CreateGradientButton(parent, std::move(caption)), place);
    ApplyButtonLook(button.Model(), look);
    return button;
}

}  // namespace

MainWindow::MainWindow(Form& window, MainWindowServices services, const std::string& modDir)
    : window_(window),
      app_(window.App()),
      services_(std::move(services)),
      modDir_(modDir),
      gameDir_(ParentFolder(modDir)),
      installer_(modDir_, gameDir_, services_.Messages) {}

MainWindow::~MainWindow() = default;

void MainWindow::BuildWindow() {
    splashPicture_ = LoadSplashPicture(app_.Instance(), "LOADSCREEN", "JPG");
    window_.SetBorder(false);
    window_.SetClientSize(kClientWidth, kClientHeight);
    window_.SetColor(Rgb(192, 192, 192));
    window_.SetFontName("Verdana");
    DeleteMenu(GetSystemMenu(window_.Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
    dotsTimer_ = &window_.AddOwned(std::make_unique<Timer>(app_, kDotsInterval));
    CreateControls();
    AttachHandlers();
    window_.Centre();
    window_.SetResizable(false);
    window_.SetMinimizeAnimation(true);
}

void MainWindow::CreateControls() {
    MainWindowControls& c = controls_;
    c.MainPanel = &Placed(CreateGradientPanel(window_), {0, 0, kClientWidth, kClientHeight});
    ApplyMainPanelLook(c.MainPanel->Model());
    Control& mainPanel = *c.MainPanel;

    c.MissionListLabel = &Placed(CreatePlainLabel(mainPanel, ""), {16, 40, 601, 22});
    c.MissionListLabel->SetTransparent(true);
    c.MissionListLabel->SetVisible(false);
    c.PleaseWaitLabel = &MakeShadowLabel(mainPanel, "Please wait ...", 16, 431, kBlack, 22, kWhite);
    c.PleaseWaitLabel->SetVisible(false);
    c.CreditLabel = &MakeShadowLabel(mainPanel, "Pellwise", 462, 467, kBlack, 13, kWhite);
    c.NextButton = &MakeButton(mainPanel, "Next", {480, 426, 137, 31}, kNextButtonLook);
    c.NextButton->SetEnabled(false);

    c.TitleBar = &Placed(CreateGradientPanel(mainPanel), {0, 0, kClientWidth, 25});
    ApplyTitleBarLook(c.TitleBar->Model());
    Control& titleBar = *c.TitleBar;
    c.TitleLabel = &MakeShadowLabel(titleBar, "[Tarnwick] Installer", 16, 7, kWhite, 14, kBlack);
    c.ExitButton = &MakeButton(titleBar, "eXit", {558, 0, 59, 25}, kExitButtonLook);
    c.HelpButton = &MakeButton(titleBar, "help@web", {392, 0, 120, 25}, kHelpButtonLook);
    c.MinimizeButton = &MakeButton(titleBar, "_", {520, 0, 31, 25}, kMinimizeButtonLook);

    c.ReadmeView = &Placed(CreateRichTextView(mainPanel, ES_READONLY | WS_VSCROLL), {16, 40, 601, 373});
    c.ReadmeView->SetAutoUrlDetect(true);
    c.ReadmeView->SetVisible(false);
    c.PictureFrame = &Placed(CreateGradientPanel(mainPanel), {16, 40, 601, 373});
    ApplyPictureFrameLook(c.PictureFrame->Model());
    c.PictureBox = &Placed(CreatePaintBox(*c.PictureFrame), {1, 1, 599, 371});
    c.MissionList =
        &Placed(CreateListControl(mainPanel, LVS_LIST, LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING,
                                  LVS_EX_CHECKBOXES | LVS_EX_INFOTIP),
                {16, 64, 601, 349});
    c.MissionList->SetVisible(false);
}

void MainWindow::AttachHandlers() {
    controls_.ExitButton->SetClickHandler([this](Control&) { OnExitClick(); });
    controls_.HelpButton->SetClickHandler([this](Control&) { OnHelpClick(); });
    controls_.MinimizeButton->SetClickHandler([this](Control&) { OnMinimizeClick(); });
    controls_.PictureBox->SetPaintHandler([this](Control&, HDC dc) { OnPicturePaint(dc); });
    controls_.NextButton->SetClickHandler([this](Control&) { OnNextClick(); });
    dotsTimer_->SetHandler([this](Timer&) { OnDotsTimer(); });
}

void MainWindow::OnExitClick() { app_.Window().PostClose(); }

void MainWindow::OnHelpClick() { services_.Open(installer_.GetCaptions().HelpAddress); }

void MainWindow::OnMinimizeClick() { app_.Window().SetWindowState(WindowState::Minimized); }

void MainWindow::OnPicturePaint(HDC dc) { PaintSplashPicture(splashPicture_.get(), dc); }

MainWindow& BuildMainWindow(Form& window, MainWindowServices services, const std::string& modDir) {
    MainWindow& main = window.AddOwned(std::make_unique<MainWindow>(window, std::move(services), modDir));
    main.BuildWindow();
    main.StartWizard();
    return main;
}

}  // namespace pellwise
