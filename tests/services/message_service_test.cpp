#include <gtest/gtest.h>

#include <sstream>

#include "services/console_message_service.h"
#include "services/text_codec.h"

namespace pellwise {
namespace {

constexpr unsigned kQuestion = kMbYesNo | kMbIconQuestion;

// Without a terminal nobody is asked: a question takes the preset answer of the moment.
TEST(ConsoleMessageService, WritesUtf8LinesAndWithoutATerminalTakesThePresetAnswer) {
    std::ostringstream out;
    std::istringstream in("y\n");
    ConsoleMessageService console(out, in, false);
    EXPECT_EQ(console.ShowMessageBox(Ru("Ошибка\rвторая строка\r\nтретья"), kMbIconError), kIdOk);
    EXPECT_EQ(console.ShowMessageBox("Overwrite?", kQuestion), kIdNo);
    console.SetPresetAnswer(kIdYes);
    EXPECT_EQ(console.ShowMessageBox("Overwrite?", kQuestion), kIdYes);
    EXPECT_EQ(out.str(),
              "Ошибка\nвторая строка\nтретья\nOverwrite?\n-> No (preset answer)\nOverwrite?\n-> Yes (preset answer)\n");
}

TEST(ConsoleMessageService, OnATerminalAsksUntilItUnderstandsTheAnswer) {
    std::ostringstream out;
    std::istringstream in("maybe\n  Да \nn\n");
    ConsoleMessageService console(out, in, true);
    EXPECT_EQ(console.ShowMessageBox("Overwrite?", kQuestion), kIdYes);
    EXPECT_EQ(console.ShowMessageBox("Overwrite?", kQuestion), kIdNo);
    EXPECT_EQ(out.str(), "Overwrite?\n[y/n] [y/n] Overwrite?\n[y/n] ");
    // The terminal closed: the preset answer decides.
    console.SetPresetAnswer(kIdYes);
    EXPECT_EQ(console.ShowMessageBox("Overwrite?", kQuestion), kIdYes);
}

}  // namespace
}  // namespace pellwise
