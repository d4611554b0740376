// Damaged and hostile game folders and mods, one table: each row damages a
// freshly generated sample, installs through the console and states the exit
// status, a message the console must print and which game files must stay as
// they were. No row may crash or hang (the sanitizers and the time limit of
// the test run watch that), leave a temporary file behind, or - for the rows
// whose sizes promise gigabytes - use memory far beyond the input's size.
// The readers' own tests go through every kind of damage; a row here stands
// for each stop, message and outcome the console shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "installer/console/native_text.h"
#include "installer_test_support.h"
#include "services/atomic_file.h"

namespace pellwise::testing {
namespace {

enum class Keeps {
    Everything,   // the run stopped or failed before writing: the whole game folder is as it was
    HostileFile,  // the damaged file is as it was; the rest may be installed
    Nothing,      // the run installs; only the row's own check looks further
};

struct HostileRow {
    std::string Name;
    std::function<void(HostileGame&)> Damage;
    int Status = 0;
    std::string Message;  // UTF-8, somewhere in what the console printed
    Keeps Kept = Keeps::Nothing;
    bool LargeCount = false;                   // a size field promises far more than the file holds
    std::function<void(HostileGame&)> Also{};  // further checks after the run
};

constexpr int kFailed = 1;
const char kDamagedScene[] = "Scene2bin unit: Damaged file";
const char kDamagedObject[] = "Damaged object file: ";
const char kIoError[] = "error: IO error";
const char kInstalled[] = "Result: installed";
const char kNoVersion[] = "Stopped: tables/version.txt is missing or its first line is empty";
const char kNoDatabase[] = "Stopped: the text database named by tables/version.txt is missing";
const char kDamagedDatabase[] = "Stopped: the text database could not be read whole";

std::string WithU32(std::string bytes, size_t at, uint32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4, '\0');
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Chunk(uint16_t id, const std::string& payload) {
    const std::string head{static_cast<char>(id), static_cast<char>(id >> 8)};
    return WithU32(head, 2, static_cast<uint32_t>(payload.size() + 6)) + payload;
}

std::string TextDbImage(const std::vector<std::pair<uint32_t, std::string>>& entries) {
    std::string table = WithU32(std::string(8, '\0'), 0, static_cast<uint32_t>(entries.size()));
    std::string texts;
    for (const auto& [id, text] : entries) {
        table = WithU32(table, table.size(), id);
        table = WithU32(table, table.size(), static_cast<uint32_t>(8 + 8 * entries.size() + texts.size()));
        texts += text + '\0';
    }
    return table + texts;
}

// A scene cut at `at`, its total size made to match, so the reader meets the
// cut deep inside the structure.
std::string CutAt(const std::string& bytes, size_t at) { return WithU32(bytes.substr(0, at), 2, uint32_t(at)); }

// The files the rows damage, in the game folder.
const std::string kScene = "MISSIONS/FREERIDE/scene2.bin";  // the first mission's
const std::string kObjectFile = "Tarnwick/DATA/tarn_car.dnc";
const std::string kDatabase = "tables/textdb_ru.def";
const std::string kVersion = "tables/version.txt";
const std::string kNewTexts = "Tarnwick/DATA/NewTexts.ini";
const char kNoNewTexts[] = "Stopped: the mod's DATA/NewTexts.ini is missing or cannot be read";
const std::string kOptions = "Tarnwick/interface/options.ini";

using Step = std::function<void(HostileGame&)>;

// Damage to one file: its bytes replaced or edited (knowing, for a scene,
// where its parts start), held open by another program, or a folder in its
// place.
Step Put(std::string file, std::string bytes) {
    return [=](HostileGame& g) {
        RemovePath(g.InGame(file));
        g.SetHostile(g.InGame(file), bytes);
    };
}
Step Edit(std::string file, std::function<std::string(const std::string&, const ParsedScene&)> edit) {
    return [=](HostileGame& g) {
        const std::string bytes = ReadFile(g.InGame(file));
        g.SetHostile(g.InGame(file), edit(bytes, ParseScene(bytes)));
    };
}
Step SceneField(std::function<size_t(const ParsedScene&)> at, uint32_t value) {
    return Edit(kScene, [=](auto& b, auto& scene) { return WithU32(b, at(scene), value); });
}
Step Lock(std::string file) {
    return [=](HostileGame& g) { g.Lock(g.InGame(file)); };
}
Step Folder(std::string file) {
    return [=](HostileGame& g) { MakeFolder(g.InGame(file)); };
}
Step Remove(std::string file) {
    return [=](HostileGame& g) { RemovePath(g.InGame(file)); };
}

// Checks after the run: the file holds `bytes`; the stop's message box for a
// missing file, word for word, with the file's full path.
Step Holds(std::string file, std::string bytes) {
    return [=](HostileGame& g) { EXPECT_NE(ReadFile(g.InGame(file)).find(bytes), std::string::npos) << file; };
}
Step NoFileError(std::string file) {
    return [=](HostileGame& g) {
        const std::string error =
            "error: Файл не найден или не может быть прочитан: " + NativeToUtf8(g.InGame(file)) + "\n";
        EXPECT_EQ(g.Printed.substr(0, error.size()), error);
    };
}

std::vector<HostileRow> Rows() {
    const Keeps all = Keeps::Everything, hostile = Keeps::HostileFile, none = Keeps::Nothing;
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) >> 3);
    const std::string unknownSection = Chunk(0x1234, "kept as it is");
    auto withIds = [](uint32_t lastButOne, uint32_t last) {
        return Put(kDatabase, TextDbImage({{1, "one"}, {lastButOne, "high"}, {last, "last"}}));
    };
    auto database = [](HostileGame& g) { return ParseTextDb(ReadFile(g.Game.TextDbPath)); };
    // References are written only where a whole placeholder fits: here the
    // data chunk ends where the placeholder does.
    const std::string scriptWithoutNul =
        Chunk(0xAE21, Chunk(0xAE23, std::string("tarn_edge", 10)) + Chunk(0xAE22, WithU32("", 0, 5)) +
                          Chunk(0xAE24, std::string(14, '\x01') + "say #@$&000001"));
    return {
        // A damaged scene stays as it was; the run patches the other mission,
        // saves the database, copies the files and ends as failed.
        {"AChunkOfFourGibibytes", SceneField([](auto& s) { return s.Sections.at(1).Chunks.at(0).Offset + 2; }, ~0u),
         kFailed, kDamagedScene, hostile, true},
        {"ASectionOfFourGibibytes", SceneField([](auto& s) { return s.Sections.at(0).Offset + 2; }, ~0u), kFailed,
         kDamagedScene, hostile, true},
        {"ASceneHeldOpenByAnotherProgram", Lock(kScene), kFailed, "Scene2bin unit: Can't open file", hostile},
        // Odd but whole scenes install, and keep what they held.
        {"AnUnknownSectionIsKept",
         Edit(kScene,
              [=](auto& b, auto& s) {
                  const size_t at = s.Sections.at(1).Offset;
                  return WithU32(b.substr(0, at) + unknownSection + b.substr(at), 2,
                                 uint32_t(b.size() + unknownSection.size()));
              }),
         0, kInstalled, none, false, Holds(kScene, unknownSection)},
        {"AnEntryWhoseNameLengthIsFourGibibytes",
         SceneField([](auto& s) { return s.Section(0xAE50).Chunks.at(0).Offset + 7; }, ~0u), 0, kInstalled, none, true},
        {"AnObjectWhoseNameChunkRunsPastIt",
         SceneField([](auto& s) { return s.Sections.at(0).Chunks.at(0).Offset + 8; }, 0xFFFFFFF0), 0, kInstalled, none,
         true},

        // A damaged object file is reported and left out; the rest installs.
        {"AnObjectFileOfFourGibibytes", Edit(kObjectFile, [](auto& b, auto&) { return WithU32(b, 2, ~0u); }), 0,
         kDamagedObject, none, true},
        {"AnObjectFileOfAnUnknownKind", Edit(kObjectFile, [](auto& b, auto&) { return "\x34\x12" + b.substr(2); }), 0,
         "belongs to no scene section"},
        {"AnObjectWhoseNestedSizesRunPastIt", Edit(kObjectFile, [](auto& b, auto&) { return WithU32(b, 8, ~0u); }), 0,
         kInstalled, none, true},
        {"AnObjectFileHeldOpenByAnotherProgram", Lock(kObjectFile), 0, "tarn_car.dnc: damaged or unreadable"},
        {"AFolderNamedLikeAnObjectFile", Folder("Tarnwick/DATA/folder.dnc"), 0, kInstalled},
        {"AScriptTextWithoutANul", Put("Tarnwick/DATA/tarn_edge.dnc", scriptWithoutNul), 0, kInstalled, none, false,
         Holds(kScene, "say 00")},

        {"AnEmptyDatabase", Put(kDatabase, ""), kFailed, std::string(kIoError) + "\n" + kDamagedDatabase, all},
        {"ACountOfFourBillionInASixteenByteDatabase", Put(kDatabase, WithU32(std::string(16, '\0'), 0, 4000000000u)),
         kFailed, kDamagedDatabase, all, true},
        {"ADatabaseOfNoEntriesTakesTheModsTexts", Put(kDatabase, std::string(8, '\0')), 0, kInstalled},
        {"IdsAt0xFFFFFFFEAnd0xFFFFFFFFMakeNewTextsStartAgainFromZero", withIds(0xFFFFFFFE, 0xFFFFFFFF), 0, kInstalled,
         none, false, [=](HostileGame& g) { EXPECT_EQ(database(g).at(2).Id, 0u); }},
        // The scripts then point at text 0: not an install to report as done.
        {"ALastButOneIdOf0xFFFFFFFELeavesNoFreeId", withIds(0xFFFFFFFE, 5), kFailed, "TextDB: no free ID", none, false,
         [=](HostileGame& g) { EXPECT_EQ(database(g).size(), 3u) << "no text was added"; }},

        {"AVersionFileWhoseFirstLineIsEmpty", Put(kVersion, "\r\nru\r\n"), kFailed, kNoVersion, all, false,
         NoFileError(kVersion)},
        // The line is used as it stands, blank and all.
        {"AVersionLineWithATrailingBlank", Put(kVersion, "ru \r\n"), kFailed, kNoDatabase, all, false,
         NoFileError("tables/textdb_ru .def")},
        {"AVersionLineOfAMegabyte", Put(kVersion, std::string(1 << 20, 'r')), kFailed, kNoDatabase, all},

        {"NoNewTextsIni", Remove(kNewTexts), kFailed, kNoNewTexts, all, false, NoFileError(kNewTexts)},
        // Read as empty, it would install every text of the mod as "no text".
        {"ANewTextsIniHeldOpenByAnotherProgram", Lock(kNewTexts), kFailed, kNoNewTexts, all, false,
         NoFileError(kNewTexts)},
        {"ANewTextsIniOfBinaryBytes", Put(kNewTexts, binary), 0, kInstalled},
        {"ANewTextsValueOf100KilobytesIsCutAt4095Bytes",
         Put(kNewTexts, "[texts]\r\n#@$&000001=" + std::string(100 << 10, 'x') + "\r\n"), 0, kInstalled, none, false,
         Holds(kDatabase, '\0' + std::string(4095, 'x') + '\0')},
        {"ANewTextsValueEndsAtANul", Put(kNewTexts, std::string("[texts]\r\n#@$&000001=be\0fore\r\n", 29)), 0,
         kInstalled, none, false, Holds(kDatabase, std::string("\0be\0", 4))},
        {"AnOptionsIniOfBinaryBytes", Put(kOptions, binary), 0, kInstalled},
        {"AnOptionValueOf100Mebibytes", Put(kOptions, "[Captions]\r\nTitle=" + std::string(100 << 20, 'T') + "\r\n"), 0,
         kInstalled, none, true},

        {"AMissionsFolderThatIsAFile", Put("MISSIONS", "not a folder"), kFailed,
         "error: Нет доступных для патчинга миссий. Извлеките MISSIONS с помощью MafiaDataXTractor\n"
         "Stopped: no mission of the game holds a scene2.bin",
         all},
        {"NoTablesFolder", Remove("tables"), kFailed,
         "error: Папка TABLES не найдена. Извлеките её с помощью MafiaDataXTractor\n"
         "Stopped: the game has no tables folder",
         all},
        // The mod's options.ini gives the message, its section and key in any case.
        {"NoObjectFiles",
         [](HostileGame& g) {
             for (const SampleObjectFile& f : g.Game.ObjectFiles) RemovePath(g.InGame("Tarnwick/DATA/" + f.FileName));
             WriteFile(g.InGame(kOptions), "[captions]\r\nno DNC = Unpack the mod again.\r\n");
         },
         kFailed, "error: Unpack the mod again.\nStopped: the mod's DATA folder has no *.dnc file", all},
        {"AMissionFolderNamedLikeAFile",
         [](HostileGame& g) {
             MakeFolder(g.InGame("MISSIONS/scene2.bin"));
             WriteFile(g.InGame("MISSIONS/scene2.bin/scene2.bin"), ReadFile(g.ScenePath()));
         },
         0, "scene2.bin", none, false,
         [](HostileGame& g) {
             EXPECT_EQ(ReadFile(g.InGame("MISSIONS/scene2.bin/scene2.bin")), ReadFile(g.ScenePath()));
         }},
        {"AModFileWhereTheGameHasAFolder",
         [](HostileGame& g) {
             MakeFolder(g.InGame("maps/tarn_sign.bmp"));
             g.SetHostile(g.InGame("maps/tarn_sign.bmp/inside.txt"), "the game's own");
         },
         kFailed, "1 failed", hostile},
    };
}

// The install run as a program of its own, its output kept in OutputPath();
// nothing where the test cannot watch a child.
std::optional<ChildRun> MeasureInstall(const HostileGame& game) {
    const std::optional<ChildRun> run = RunPellwise(game.InstallArgs(), 120, game.OutputPath());
    if (run && run->Status == 127) ADD_FAILURE() << "the console program could not be started";
    return run;
}

// The peak memory of installing an undamaged sample, measured once.
uint64_t UndamagedPeak() {
    static const uint64_t peak = [] {
        const std::optional<ChildRun> run = MeasureInstall(HostileGame("UndamagedPeak"));
        return run ? run->PeakBytes : 0;
    }();
    return peak;
}

void PrintTo(const HostileRow& row, std::ostream* out) { *out << row.Name; }

class HostileInput : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileInput, IsReportedWithoutDamagingTheGame) {
    const HostileRow& row = GetParam();
    HostileGame game(row.Name);
    row.Damage(game);
    const std::map<std::string, std::string> before = Snapshot(game.InGame());
    const std::string hostileBefore = game.Hostile.empty() ? std::string() : ReadFile(game.Hostile);
    auto lock = game.Locked ? std::make_unique<LockedFile>(game.Hostile) : nullptr;
    if (lock && !lock->Held()) ADD_FAILURE() << "could not lock " << game.Hostile;

    // The rows whose sizes promise gigabytes run as a program of their own,
    // whose peak memory is measured against that of an undamaged install;
    // where no child can be watched they run in-process like the others.
    const std::optional<ChildRun> measured = row.LargeCount ? MeasureInstall(game) : std::nullopt;
    const ConsoleRun run =
        measured ? ConsoleRun{measured->Status, ReadFile(game.OutputPath()), {}} : Pellwise(game.InstallArgs());
    game.Printed = run.Err + run.Out;
    EXPECT_EQ(run.Status, row.Status) << game.Printed;
    EXPECT_NE(game.Printed.find(row.Message), std::string::npos) << "expected: " << row.Message << "\n" << game.Printed;
    lock.reset();

    const std::map<std::string, std::string> after = Snapshot(game.InGame());
    if (measured) {
        size_t largest = 0;
        for (const auto& [name, bytes] : after) largest = std::max(largest, bytes.size());
        const uint64_t allowed = UndamagedPeak() + (32u << 20) + 4 * largest;
        EXPECT_LE(measured->PeakBytes, allowed) << "peak " << (measured->PeakBytes >> 20) << " MiB";
        EXPECT_GT(measured->PeakBytes, 0u) << "the peak could not be read";
    }
    if (row.Kept == Keeps::Everything) {
        for (const auto& [name, bytes] : before)
            EXPECT_TRUE(after.contains(name) && after.at(name) == bytes) << "changed: " << name;
        EXPECT_EQ(after.size(), before.size()) << "files were added";
    } else if (row.Kept == Keeps::HostileFile) {
        EXPECT_EQ(ReadFile(game.Hostile), hostileBefore) << game.Hostile;
    }
    for (const auto& [name, bytes] : after)
        EXPECT_EQ(name.find(kTemporarySuffix), std::string::npos) << "left behind: " << name;
    if (row.Also) row.Also(game);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileInput, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<HostileRow>& info) { return info.param.Name; });

// Cut where a later section would begin, a scene is whole, only shorter:
// it installs. Cut anywhere else, it is damaged and stays as it is.
TEST(HostileInput, ASceneCutAtAnyStructureBoundaryIsReportedAndKeptUnlessItIsWhole) {
    HostileGame game("CutAtAnyBoundary");
    const std::string bytes = ReadFile(game.ScenePath());
    const ParsedScene scene = ParseScene(bytes);
    const std::vector<size_t> boundaries = scene.Boundaries();
    ASSERT_GT(boundaries.size(), 20u);
    for (const size_t at : boundaries) {
        SCOPED_TRACE("cut at " + std::to_string(at));
        const bool whole = std::any_of(scene.Sections.begin() + 1, scene.Sections.end(),
                                       [at](const ParsedSection& s) { return s.Offset == at; });
        const std::string cut = CutAt(bytes, at);
        WriteFile(game.ScenePath(), cut);
        const ConsoleRun run = Pellwise(game.InstallArgs({"--mission", NativeToUtf8(game.Game.Missions[0].Name)}));
        if (whole) {
            EXPECT_EQ(run.Status, 0) << run.Err;
            continue;
        }
        EXPECT_EQ(run.Status, kFailed) << run.Err;
        EXPECT_NE(run.Err.find(kDamagedScene), std::string::npos) << run.Err;
        EXPECT_EQ(ReadFile(game.ScenePath()), cut);
    }
}

}  // namespace
}  // namespace pellwise::testing
