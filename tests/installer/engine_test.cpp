#include <gtest/gtest.h>

#include "installer/engine/captions.h"
#include "installer/engine/installer.h"
#include "installer_test_support.h"
#include "services/message_service.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise::testing {
namespace {

class Recorder : public MessageService {
public:
    int ShowMessageBox(const std::string& text, unsigned flags) override {
        shown.push_back(text);
        return (flags & kMbButtonMask) == kMbYesNo ? answer : kIdOk;
    }
    std::vector<std::string> shown;
    int answer = kIdNo;
};

TEST(Captions, AnOptionsFileThatSetsOnlyTheTitleKeepsTheRussianDefaults) {
    const Scratch scratch("captions");
    const std::string ini = scratch.Path() + "options.ini";
    WriteFile(ini, "[Captions]\r\nTitle=My mod\r\nPlease wait=\r\n");
    const Captions c = ReadCaptions(ini);
    EXPECT_EQ(c.Title, "My mod");
    EXPECT_EQ(c.PleaseWait, "") << "a key present with no value is an empty text";
    EXPECT_EQ(Cp1251ToUtf8(c.NoFile), "Файл не найден или не может быть прочитан: ") << "its trailing blank kept";
    EXPECT_EQ(ReadCaptions(scratch.Path() + "missing.ini").Title,
              "Edit me in \\Mafia\\YourMod\\interface\\options.ini");
}

TEST(Engine, RunsOncePerStartPatchingMissionsInListOrderWithProgressAndStartsTheGameLast) {
    const Sample sample("engine_order");
    Recorder messages;
    messages.answer = kIdYes;
    Installer installer(sample.Game.ModDir, sample.Game.GameDir, messages);
    EXPECT_FALSE(installer.RunPatch({}, {}).Ran) << "the wizard has not passed";
    ASSERT_TRUE(installer.StartWizard().Ok());
    const auto before = Snapshot(sample.Game.GameDir);
    EXPECT_FALSE(installer.RunPatch({"NOSUCH"}, {}).Ran);
    EXPECT_EQ(Snapshot(sample.Game.GameDir), before);
    std::vector<std::string> seen;
    int chunks = 0;
    PatchCallbacks callbacks;
    callbacks.Progress = [&](const PatchProgress& p) {
        if (p.At == PatchProgress::Stage::Mission) seen.push_back(p.Mission);
    };
    callbacks.AfterChunk = [&] { ++chunks; };
    const std::vector<std::string>& all = installer.Missions();
    const PatchReport report = installer.RunPatch({all[3], all[0], all[2]}, {}, callbacks);
    ASSERT_TRUE(report.Succeeded());
    EXPECT_EQ(seen, (std::vector<std::string>{all[0], all[2], all[3]}));
    EXPECT_EQ(chunks, 3 * 7);
    EXPECT_EQ(report.SceneAnswer, Answer::Yes);
    // One overwrite question for the run, one before files are replaced.
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(report.Files.size(), 4u);
    EXPECT_FALSE(installer.RunPatch({all[1]}, {}).Ran) << "one run per start";
    std::string started;
    installer.StartGame([&](const std::string& program) {
        started = program;
        return true;
    });
    EXPECT_EQ(started, JoinPath(sample.Game.GameDir, "game.exe"));
}

TEST(Engine, AFrontEndMayCopyTheFilesFolderItselfAndItsFailureFailsTheRun) {
    const Sample sample("engine_copy_hook");
    Recorder messages;
    Installer installer(sample.Game.ModDir, sample.Game.GameDir, messages);
    ASSERT_TRUE(installer.StartWizard(Answer::Yes).Ok());
    std::string from, to;
    PatchCallbacks callbacks;
    callbacks.CopyFolder = [&](const std::string& filesDir, const std::string& gameDir) {
        from = filesDir;
        to = gameDir;
        return false;
    };
    const PatchReport report = installer.RunPatch({installer.Missions()[0]}, {}, callbacks);
    EXPECT_EQ(from, JoinPath(sample.Game.ModDir, "files/"));
    EXPECT_EQ(to, sample.Game.GameDir);
    EXPECT_TRUE(report.Files.empty());
    EXPECT_FALSE(report.Succeeded());
    EXPECT_TRUE(report.TextDbSaved);
    EXPECT_FALSE(PathExists(JoinPath(sample.Game.GameDir, "readme_tarnwick.txt")));
}

}  // namespace
}  // namespace pellwise::testing
