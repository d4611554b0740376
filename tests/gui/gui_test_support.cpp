#include "tests/gui/gui_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "services/window/form.h"

namespace pellwise::testing {

namespace {

std::string FreshFolder() {
    static std::atomic<int> counter{0};
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("pellwise-gui-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string() + "\\";
}

}  // namespace

SampleFolder::SampleFolder(const SampleOptions& options) : root_(FreshFolder()) {
    std::string error;
    if (!GenerateSampleGame(root_ + "Mafia\\", options, game_, error)) ADD_FAILURE() << error;
}

SampleFolder::~SampleFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

InstallerWindow::InstallerWindow(const SampleGame& game) : app_(std::make_unique<Application>("Pellwise")) {
    Form& form = app_->CreateForm("Tarnwick");
    MainWindowServices services{messages_, [this](const std::string& file) { opened_.push_back(file); }};
    main_ = &BuildMainWindow(form, std::move(services), game.ModDir);
    form.SetVisible(true);
    Pump();
}

InstallerWindow::~InstallerWindow() { app_.reset(); }

}  // namespace pellwise::testing
