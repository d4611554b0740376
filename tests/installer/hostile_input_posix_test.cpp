// Named pipes where the game's files should be. One blocked the installer for
// good (its open waits for a writer that never comes), so the install runs on
// a thread of its own, and past the time limit a writer sets it free.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "installer/console/native_text.h"
#include "installer_test_support.h"

namespace pellwise::testing {
namespace {

TEST(NamedPipe, InPlaceOfAGameFileIsRefusedWithoutWaiting) {
    // One file for each way of reading: streams, whole files, settings, copies.
    const std::vector<std::pair<std::string, int>> rows = {{"MISSIONS/FREERIDE/scene2.bin", 1},
                                                           {"Tarnwick/DATA/tarn_car.dnc", 0},
                                                           {"Tarnwick/DATA/NewTexts.ini", 1},
                                                           {"Tarnwick/files/readme_tarnwick.txt", 0}};
    for (const auto& [relative, status] : rows) {
        HostileGame game("NamedPipe");
        const std::string path = game.InGame(relative);
        RemovePath(path);
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
        std::future<ConsoleRun> run = std::async(std::launch::async, [&] { return Pellwise(game.InstallArgs()); });
        if (run.wait_for(std::chrono::seconds(60)) == std::future_status::timeout) {
            ADD_FAILURE() << "the install waited on " << relative;
            close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_EQ(run.get().Status, status) << relative;
    }
}

// A file name of 250 bytes is valid on the usual file systems (255 at most):
// the staged file beside it has a short name of its own, so it installs, and
// the restore removes it again.
TEST(LongName, AFileNameOf250BytesInstallsAndIsRestored) {
    HostileGame game("LongName");
    const std::string name = "files/" + std::string(246, 'n') + ".txt";
    WriteFile(game.InGame("Tarnwick/" + name), "a loose file with a long name");
    const auto untouched = Snapshot(game.InGame());
    const ConsoleRun run = Pellwise(game.InstallArgs());
    ASSERT_EQ(run.Status, 0) << run.Out << run.Err;
    EXPECT_EQ(ReadFile(game.InGame(name.substr(6))), "a loose file with a long name");
    EXPECT_EQ(Pellwise({"restore", "--game", NativeToUtf8(game.InGame())}).Status, 0);
    EXPECT_EQ(Snapshot(game.InGame()), untouched);
}

// A link back to the mod's own folder once copied the game into itself.
TEST(Links, InFilesAreNotFollowedButReportedAndLeaveTheInstallPartial) {
    HostileGame game("LinkLoop");
    const std::string files = game.InGame("Tarnwick/files/");
    ASSERT_EQ(symlink("..", (files + "loop").c_str()), 0);
    ASSERT_EQ(symlink("readme_tarnwick.txt", (files + "again.txt").c_str()), 0);
    const ConsoleRun run = Pellwise(game.InstallArgs());
    EXPECT_EQ(run.Status, 1) << run.Out;
    for (const char* line : {"  link     again.txt (not followed)\n", "  link     loop (not followed)\n",
                             "Result: partly installed\n  left out: files\\again.txt: a link"})
        EXPECT_NE(run.Out.find(line), std::string::npos) << line << "\n" << run.Out;
    EXPECT_EQ(ReadFile(game.InGame("loop")), "<missing>");
    EXPECT_EQ(ReadFile(game.InGame("again.txt")), "<missing>");
    const ConsoleRun check = Pellwise({"check", "--mod", game.InGame("Tarnwick")});
    EXPECT_NE(check.Out.find("loop: is a link; the installer copies links as nothing"), std::string::npos) << check.Out;
}

}  // namespace
}  // namespace pellwise::testing
