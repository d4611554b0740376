#include "installer/gui/main_window.h"

#include <windows.h>
// commctrl.h and richedit.h build on the types of windows.h.
#include <commctrl.h>
#include <richedit.h>

#include "gradient/gradient_control.h"
#include "installer/gui/main_window_layout.h"
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

constexpr int kDotsInterval = 300;
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

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
    window_.SetClientSize(layout::kClient.Width, layout::kClient.Height);
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
    c.MainPanel = &Placed(CreateGradientPanel(window_), layout::kClient);
    ApplyMainPanelLook(c.MainPanel->Model());
    Control& mainPanel = *c.MainPanel;

    c.MissionListLabel = &Placed(CreatePlainLabel(mainPanel, ""), layout::kMissionListLabel);
    c.MissionListLabel->SetTransparent(true);
    c.MissionListLabel->SetVisible(false);
    c.PleaseWaitLabel =
        &MakeShadowLabel(mainPanel, "Please wait ...", layout::kPleaseWaitX, layout::kPleaseWaitY, kBlack, 22, kWhite);
    c.PleaseWaitLabel->SetVisible(false);
    c.CreditLabel = &MakeShadowLabel(mainPanel, "Pellwise", layout::kCreditX, layout::kCreditY, kBlack, 13, kWhite);
    c.NextButton = &MakeButton(mainPanel, "Next", layout::kNextButton, kNextButtonLook);
    c.NextButton->SetEnabled(false);

    c.TitleBar = &Placed(CreateGradientPanel(mainPanel), layout::kTitleBar);
    ApplyTitleBarLook(c.TitleBar->Model());
    Control& titleBar = *c.TitleBar;
    c.TitleLabel =
        &MakeShadowLabel(titleBar, "[Tarnwick] Installer", layout::kTitleX, layout::kTitleY, kWhite, 14, kBlack);
    c.ExitButton = &MakeButton(titleBar, "eXit", layout::kExitButton, kExitButtonLook);
    c.HelpButton = &MakeButton(titleBar, "help@web", layout::kHelpButton, kHelpButtonLook);
    c.MinimizeButton = &MakeButton(titleBar, "_", layout::kMinimizeButton, kMinimizeButtonLook);

    c.ReadmeView = &Placed(CreateRichTextView(mainPanel, ES_READONLY | WS_VSCROLL), layout::kPage);
    c.ReadmeView->SetAutoUrlDetect(true);
    c.ReadmeView->SetVisible(false);
    c.PictureFrame = &Placed(CreateGradientPanel(mainPanel), layout::kPage);
    ApplyPictureFrameLook(c.PictureFrame->Model());
    c.PictureBox = &Placed(CreatePaintBox(*c.PictureFrame), layout::kPictureBox);
    c.MissionList =
        &Placed(CreateListControl(mainPanel, LVS_LIST, LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING,
                                  LVS_EX_CHECKBOXES | LVS_EX_INFOTIP),
                layout::kMissionList);
    c.MissionList->SetVisible(false);
}

void MainWindow::AttachHandlers() {
    controls_.ExitButton->SetClickHandler([this](Control&) { OnExitClick(); });
    controls_.HelpButton->SetClickHandler([this](Control&) { OnHelpClick(); });
    controls_.MinimizeButton->SetClickHandler([this](Control&) { OnMinimizeClick(); });
    controls_.PictureBox->SetPaintHandler([this](Control&, HDC dc) { OnPicturePaint(dc); });
    controls_.NextButton->SetClickHandler([this](Control&) { OnNextPressed(GetMessageTime()); });
    dotsTimer_->SetHandler([this](Timer&) { OnDotsTimer(); });
}

void MainWindow::OnExitClick() { app_.Window().PostClose(); }

void MainWindow::OnHelpClick() { services_.Open(installer_.GetCaptions().HelpAddress); }

void MainWindow::OnMinimizeClick() { app_.Window().SetWindowState(WindowState::Minimized); }

void MainWindow::OnPicturePaint(HDC dc) { PaintSplashPicture(splashPicture_.get(), dc, controls_.PictureBox->Scale()); }

MainWindow& BuildMainWindow(Form& window, MainWindowServices services, const std::string& modDir) {
    MainWindow& main = window.AddOwned(std::make_unique<MainWindow>(window, std::move(services), modDir));
    main.BuildWindow();
    main.StartWizard();
    return main;
}

}  // namespace pellwise
