// Damaged and hostile game folders and mods, one table: each row damages one
// file of a freshly generated sample, installs through the console and states
// the exit status, a message the console must print and which game files must
// stay as they were. No row may leave a temporary file behind. The readers'
// own tests and the fuzzers go through every kind of damage; a row here
// stands for each stop, message and outcome the console shows.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "installer/console/native_text.h"
#include "installer_test_support.h"
#include "services/atomic_file.h"

namespace pellwise::testing {
namespace {

enum class Keeps {
    Everything,  // the run stopped before writing: the whole game folder is as it was
    File,        // the damaged file is as it was; the rest may be installed
    Nothing,     // the run installs; only the row's own check looks further
};

using Damage = std::function<void(const HostileGame&, const std::string& path)>;
using Check = std::function<void(const HostileGame&, const std::string& printed)>;

struct HostileRow {
    std::string Name;
    std::string File;  // in the game folder
    Damage Damaged;    // null: another program holds the file open during the run
    int Status = 0;
    std::string Message;  // UTF-8, somewhere in what the console printed
    Keeps Kept = Keeps::Nothing;
    Check Also{};
};

constexpr int kFailed = 1;
const std::string kScene = "MISSIONS/FREERIDE/scene2.bin";  // the first mission's

std::string WithU32(std::string bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<char>(value >> (8 * i));
    return bytes;
}

Damage Put(std::string bytes) {
    return [=](const HostileGame&, const std::string& path) {
        RemovePath(path);
        WriteFile(path, bytes);
    };
}
Damage Edit(std::function<std::string(const std::string&)> edit) {
    return [=](const HostileGame&, const std::string& path) { WriteFile(path, edit(ReadFile(path))); };
}

// The stop's message box for a missing file, word for word, with its full path.
Check NoFileError(std::string file) {
    return [=](const HostileGame& g, const std::string& printed) {
        const std::string error =
            "error: Файл не найден или не может быть прочитан: " + NativeToUtf8(g.InGame(file)) + "\n";
        EXPECT_EQ(printed.substr(0, error.size()), error);
    };
}

std::vector<HostileRow> Rows() {
    const Keeps all = Keeps::Everything, file = Keeps::File;
    return {
        // A damaged scene stays as it was; the run patches the other mission,
        // saves the database, copies the files and ends as failed. Its total
        // size made to match, the reader meets the cut inside the structure.
        {"ASceneCutShort", kScene,
         Edit([](auto& b) { return WithU32(b.substr(0, b.size() - 1), 2, uint32_t(b.size() - 1)); }), kFailed,
         "Scene2bin unit: Damaged file", file,
         [](const HostileGame& g, auto&) {
             EXPECT_NE(ReadFile(g.Game.Missions.at(1).ScenePath).find("TarnSpawn"), std::string::npos);
         }},
#ifdef _WIN32
        // Windows will not let a file open in another program be replaced:
        // the run says so before it writes anything.
        {"ASceneHeldOpenByAnotherProgram", kScene, nullptr, kFailed, "scene2.bin: locked by another program", all},
#else
        {"ASceneHeldOpenByAnotherProgram", kScene, nullptr, kFailed, "Scene2bin unit: Can't open file", file},
#endif
        // A damaged object file is reported and left out; the rest installs.
        // The rest installs, but not the whole mod: a partial install, status 1.
        {"AnObjectFileOfFourGibibytes", "Tarnwick/DATA/tarn_car.dnc", Edit([](auto& b) { return WithU32(b, 2, ~0u); }),
         kFailed, "Result: partly installed\n  left out: object file tarn_car.dnc"},

        {"AnEmptyDatabase", "tables/textdb_ru.def", Put(""), kFailed,
         "error: IO error\nStopped: the text database could not be read whole", all},
        // The scripts would point at text 0: not an install to report as done.
        {"ALastButOneIdOf0xFFFFFFFELeavesNoFreeId", "tables/textdb_ru.def",
         [](const HostileGame& g, auto& path) {
             WriteFile(path, WithU32(ReadFile(path), 8 * g.Game.TextDb.size() - 8, 0xFFFFFFFE));
         },
         kFailed, "Result: partly installed\n  left out: 5 texts got no ID", file},
        {"AVersionFileWhoseFirstLineIsEmpty", "tables/version.txt", Put("\r\nru\r\n"), kFailed,
         "Stopped: tables/version.txt is missing or its first line is empty", all, NoFileError("tables/version.txt")},
        // The line is used as it stands, blank and all.
        {"AVersionLineWithATrailingBlank", "tables/version.txt", Put("ru \r\n"), kFailed,
         "Stopped: the text database named by tables/version.txt is missing", all,
         NoFileError("tables/textdb_ru .def")},
        // Read as empty, it would install every text of the mod as "no text".
        {"ANewTextsIniHeldOpenByAnotherProgram", "Tarnwick/DATA/NewTexts.ini", nullptr, kFailed,
         "Stopped: the mod's DATA/NewTexts.ini is missing or cannot be read", all},

        {"AMissionsFolderThatIsAFile", "MISSIONS", Put("not a folder"), kFailed,
         "error: Нет доступных для патчинга миссий. Извлеките MISSIONS с помощью MafiaDataXTractor\n"
         "Stopped: no mission of the game holds a scene2.bin",
         all},
        {"NoTablesFolder", "tables", [](auto&, auto& path) { RemovePath(path); }, kFailed,
         "error: Папка TABLES не найдена. Извлеките её с помощью MafiaDataXTractor\n"
         "Stopped: the game has no tables folder",
         all},
        // The mod's options.ini gives the message, its section and key in any case.
        {"NoObjectFiles", "Tarnwick/interface/options.ini",
         [](const HostileGame& g, auto& path) {
             for (const SampleObjectFile& f : g.Game.ObjectFiles) RemovePath(g.InGame("Tarnwick/DATA/" + f.FileName));
             WriteFile(path, "[captions]\r\nno DNC = Unpack the mod again.\r\n");
         },
         kFailed, "error: Unpack the mod again.\nStopped: the mod's DATA folder has no *.dnc file", all},
        {"AModFileWhereTheGameHasAFolder", "maps/tarn_sign.bmp/inside.txt",
         [](const HostileGame& g, auto& path) {
             RemovePath(g.InGame("maps/tarn_sign.bmp"));
             WriteFile(path, "the game's own");
         },
         kFailed, "tarn_sign.bmp: access denied (a folder stands where the file goes)", all},
        // Checked before the first write: nothing changes, and the reason is named.
        {"ADatabaseMarkedReadOnly", "tables/textdb_ru.def", [](auto&, auto& path) { MakeReadOnly(path); }, kFailed,
         "Stopped before any game file changed: ", all,
         [](const HostileGame& g, const std::string& printed) {
             EXPECT_NE(printed.find(NativeToUtf8(g.InGame("tables/textdb_ru.def")) + ": read-only"), std::string::npos);
             MakeWritable(g.InGame("tables/textdb_ru.def"));
         }},
#ifndef _WIN32
        // Windows folders carry no read-only mark that stops a write.
        {"AMissionFolderMarkedReadOnly", "MISSIONS/FREERIDE", [](auto&, auto& path) { MakeReadOnly(path); }, kFailed,
         "FREERIDE: read-only", all, [](const HostileGame& g, auto&) { MakeWritable(g.InGame("MISSIONS/FREERIDE")); }},
#endif
    };
}

void PrintTo(const HostileRow& row, std::ostream* out) { *out << row.Name; }

class HostileInput : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileInput, IsReportedWithoutDamagingTheGame) {
    const HostileRow& row = GetParam();
    HostileGame game(row.Name);
    const std::string path = game.InGame(row.File);
    if (row.Damaged) row.Damaged(game, path);
    const std::map<std::string, std::string> before = Snapshot(game.InGame());
    const std::string fileBefore = ReadFile(path);
    auto lock = row.Damaged ? nullptr : std::make_unique<LockedFile>(path);
    ASSERT_TRUE(!lock || lock->Held()) << path;

    const ConsoleRun run = Pellwise(game.InstallArgs());
    lock.reset();
    const std::string printed = run.Err + run.Out;
    EXPECT_EQ(run.Status, row.Status) << printed;
    EXPECT_NE(printed.find(row.Message), std::string::npos) << "expected: " << row.Message << "\n" << printed;

    const std::map<std::string, std::string> after = Snapshot(game.InGame());
    EXPECT_TRUE(row.Kept != Keeps::Everything || after == before) << "the game folder changed";
    EXPECT_TRUE(row.Kept != Keeps::File || ReadFile(path) == fileBefore) << "changed: " << path;
    for (const auto& [name, bytes] : after)
        EXPECT_EQ(name.find(kTemporarySuffix), std::string::npos) << "left behind: " << name;
    if (row.Also) row.Also(game, printed);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileInput, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<HostileRow>& info) { return info.param.Name; });

}  // namespace
}  // namespace pellwise::testing
