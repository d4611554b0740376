// Damaged and hostile game folders and mods, one table: each row damages a
// freshly generated sample, installs through the console and states the exit
// status, a message the console must print and which game files must stay as
// they were. No row may crash or hang (the sanitizers and the time limit of
// the test run watch that), leave a temporary file behind, or - for the rows
// whose sizes promise gigabytes - use memory far beyond the input's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "child_run.h"
#include "hostile_input_support.h"
#include "installer/console/native_text.h"
#include "installer_test_support.h"
#include "locked_file.h"
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
const char kSignature[] = "Scene2bin unit: Incorrect file signature";
const char kDamagedScene[] = "Scene2bin unit: Damaged file";
const char kCannotOpen[] = "Scene2bin unit: Can't open file";
const char kDamagedObject[] = "Damaged object file: ";
const char kIoError[] = "error: IO error";
const char kInstalled[] = "Result: installed";
const char kNoVersion[] = "Stopped: tables/version.txt is missing or its first line is empty";
const char kNoDatabase[] = "Stopped: the text database named by tables/version.txt is missing";
const char kDamagedDatabase[] = "Stopped: the text database could not be read whole";

// Scene rows damage the first mission's scene; the run goes on with the
// second, saves the database and copies the files, and ends as failed.
HostileRow SceneRow(std::string name, std::function<std::string(const std::string&, const SceneLayout&)> damage,
                    std::string message, bool largeCount = false) {
    return {std::move(name),
            [damage](HostileGame& g) {
                const std::string bytes = ReadFile(g.ScenePath());
                g.SetHostile(g.ScenePath(), damage(bytes, Layout(bytes)));
            },
            kFailed,
            std::move(message),
            Keeps::HostileFile,
            largeCount};
}

// A scene cut at `at`, its total size made to match, so the reader meets the
// cut deep inside the structure.
std::string CutAt(const std::string& bytes, size_t at) { return WithU32(bytes.substr(0, at), 2, uint32_t(at)); }

std::vector<HostileRow> SceneRows() {
    return {
        SceneRow(
            "AnEmptySceneFile", [](auto&, auto&) { return std::string(); }, kSignature),
        SceneRow(
            "ASceneOfOneByte", [](auto&, auto&) { return std::string("S"); }, kSignature),
        SceneRow(
            "ASceneWithAnotherSignature", [](auto& b, auto&) { return "MZ" + b.substr(2); }, kSignature),
        SceneRow(
            "ASceneCutInsideItsFileHead", [](auto& b, auto&) { return b.substr(0, 4); }, kDamagedScene),
        SceneRow(
            "ASceneWhoseTotalSizeIsBelowSix", [](auto& b, auto&) { return WithU32(b, 2, 5); }, kDamagedScene),
        SceneRow(
            "ASceneWhoseTotalSizeRunsPastTheFile", [](auto& b, auto&) { return WithU32(b, 2, uint32_t(b.size() + 1)); },
            kDamagedScene),
        SceneRow(
            "ASceneWhoseTotalSizeStopsInsideTheLastSection",
            [](auto& b, auto&) { return WithU32(b, 2, uint32_t(b.size() - 10)); }, kDamagedScene),
        SceneRow(
            "ASceneCutAfterItsFileHeadKeepingItsTotalSize", [](auto& b, auto&) { return b.substr(0, 6); },
            kDamagedScene),
        SceneRow(
            "ASceneCutAfterItsFileHead", [](auto& b, auto&) { return CutAt(b, 6); }, kDamagedScene),
        SceneRow(
            "ASceneCutInsideAHeadChunk", [](auto& b, auto& l) { return CutAt(b, l.HeadChunks.at(1) + 3); },
            kDamagedScene),
        SceneRow(
            "ASceneCutInsideASectionHead", [](auto& b, auto& l) { return CutAt(b, l.Sections.at(0).Offset + 3); },
            kDamagedScene),
        SceneRow(
            "ASceneCutBetweenTwoObjects", [](auto& b, auto& l) { return CutAt(b, l.Sections.at(0).Chunks.at(2)); },
            kDamagedScene),
        SceneRow(
            "ASceneCutInsideADefinition", [](auto& b, auto& l) { return CutAt(b, l.Sections.at(1).Chunks.at(1) + 20); },
            kDamagedScene),
        SceneRow(
            "ASceneOneByteShort", [](auto& b, auto&) { return CutAt(b, b.size() - 1); }, kDamagedScene),
        SceneRow(
            "AHeadNeverFollowedByASection", [](auto& b, auto& l) { return CutAt(b, l.Sections.at(0).Offset); },
            kDamagedScene),
        SceneRow(
            "AChunkOfSizeZero", [](auto& b, auto& l) { return WithU32(b, l.Sections.at(0).Chunks.at(1) + 2, 0); },
            kDamagedScene),
        SceneRow(
            "AChunkOfSizeFive", [](auto& b, auto& l) { return WithU32(b, l.Sections.at(0).Chunks.at(1) + 2, 5); },
            kDamagedScene),
        SceneRow(
            "AHeadChunkOfSizeZero", [](auto& b, auto& l) { return WithU32(b, l.HeadChunks.at(0) + 2, 0); },
            kDamagedScene),
        SceneRow(
            "AChunkRunningPastItsSection",
            [](auto& b, auto& l) {
                const size_t last = l.Sections.at(0).Chunks.back();
                return WithU32(b, last + 2, U32At(b, last + 2) + 6);
            },
            kDamagedScene),
        SceneRow(
            "AChunkOfFourGibibytes",
            [](auto& b, auto& l) { return WithU32(b, l.Sections.at(1).Chunks.at(0) + 2, 0xFFFFFFFF); }, kDamagedScene,
            true),
        SceneRow(
            "ASectionOfFourGibibytes",
            [](auto& b, auto& l) { return WithU32(b, l.Sections.at(0).Offset + 2, 0xFFFFFFFF); }, kDamagedScene, true),
        SceneRow(
            "ASectionRunningPastTheFile",
            [](auto& b, auto& l) {
                const size_t last = l.Sections.back().Offset;
                return WithU32(b, last + 2, U32At(b, last + 2) + 1);
            },
            kDamagedScene),
        {"ASceneHeldOpenByAnotherProgram", [](HostileGame& g) { g.Lock(g.ScenePath()); }, kFailed, kCannotOpen,
         Keeps::HostileFile},
    };
}

// Scenes that are odd but whole install, and keep what they held.
std::vector<HostileRow> OddSceneRows() {
    return {
        {"AnUnknownSectionIsKept",
         [](HostileGame& g) {
             const std::string b = ReadFile(g.ScenePath());
             const size_t at = Layout(b).Sections.at(1).Offset;
             const std::string unknown = Chunk(0x1234, "kept as it is");
             g.SetHostile(g.ScenePath(),
                          WithU32(b.substr(0, at) + unknown + b.substr(at), 2, uint32_t(b.size() + unknown.size())));
         },
         0, kInstalled, Keeps::Nothing, false,
         [](HostileGame& g) { EXPECT_NE(ReadFile(g.ScenePath()).find("kept as it is"), std::string::npos); }},
        {"ASecondFileHeadInPlaceOfASection",
         [](HostileGame& g) {
             const std::string b = ReadFile(g.ScenePath());
             const size_t at = Layout(b).Sections.at(1).Offset;
             const std::string head = WithU32(std::string("SL\0\0\0\0", 6), 2, uint32_t(b.size() + 6));
             g.SetHostile(g.ScenePath(), b.substr(0, at) + head + b.substr(at));
         },
         0, kInstalled},
        {"BytesAfterTheTotalSizeAreNotPartOfTheScene",
         [](HostileGame& g) { g.SetHostile(g.ScenePath(), ReadFile(g.ScenePath()) + std::string(100, '\xEE')); }, 0,
         kInstalled},
        {"AnEntryWhoseNameLengthIsFourGibibytes",
         [](HostileGame& g) {
             const std::string b = ReadFile(g.ScenePath());
             g.SetHostile(g.ScenePath(), WithU32(b, Layout(b).Section(0xAE50).Chunks.at(0) + 7, 0xFFFFFFFF));
         },
         0, kInstalled, Keeps::Nothing, true},
        {"AnObjectWhoseNameChunkRunsPastIt",
         [](HostileGame& g) {
             const std::string b = ReadFile(g.ScenePath());
             g.SetHostile(g.ScenePath(), WithU32(b, Layout(b).Sections.at(0).Chunks.at(0) + 8, 0xFFFFFFF0));
         },
         0, kInstalled, Keeps::Nothing, true},
        {"AFolderNamedScene2binMakesNoMission",
         [](HostileGame& g) {
             RemovePath(g.ScenePath());
             MakeFolder(g.ScenePath());
         },
         0, kInstalled, Keeps::Nothing, false, [](HostileGame& g) { EXPECT_TRUE(IsFolder(g.ScenePath())); }},
    };
}

// Object files: a damaged one is reported and left out, the rest installs.
std::vector<HostileRow> ObjectFileRows() {
    auto damage = [](std::function<std::string(const std::string&)> change) {
        return [change](HostileGame& g) {
            g.SetHostile(g.ObjectFile("tarn_car"), change(ReadFile(g.ObjectFile("tarn_car"))));
        };
    };
    return {
        {"AnEmptyObjectFile", damage([](auto&) { return std::string(); }), 0, kDamagedObject},
        {"AnObjectFileOfFiveBytes", damage([](auto& b) { return b.substr(0, 5); }), 0, kDamagedObject},
        {"AnObjectFileWhoseSizeIsBelowSix", damage([](auto& b) { return WithU32(b, 2, 3); }), 0, kDamagedObject},
        {"AnObjectFileWhoseSizeRunsPastIt", damage([](auto& b) { return WithU32(b, 2, uint32_t(b.size() + 1)); }), 0,
         kDamagedObject},
        {"AnObjectFileOfFourGibibytes", damage([](auto& b) { return WithU32(b, 2, 0xFFFFFFFF); }), 0, kDamagedObject,
         Keeps::Nothing, true},
        {"AnObjectFileOfAnUnknownKind", damage([](auto& b) { return "\x34\x12" + b.substr(2); }), 0,
         "belongs to no scene section"},
        {"AnObjectWhoseNestedSizesRunPastIt", damage([](auto& b) { return WithU32(b, 8, 0xFFFFFFFF); }), 0, kInstalled,
         Keeps::Nothing, true},
        {"AnObjectFileHeldOpenByAnotherProgram", [](HostileGame& g) { g.Lock(g.ObjectFile("tarn_car")); }, 0,
         "tarn_car.dnc: damaged or unreadable"},
        {"AFolderNamedLikeAnObjectFile", [](HostileGame& g) { MakeFolder(g.Mod("DATA/folder.dnc")); }, 0, kInstalled},
    };
}

// Script definitions whose texts end in odd places: references are written
// only where a whole placeholder fits, never past the text or the chunk.
std::vector<HostileRow> ScriptTextRows() {
    auto script = [](std::string data, std::string expected) {
        return [data, expected](HostileGame& g) {
            WriteFile(g.Mod("DATA/tarn_edge.dnc"), Definition("tarn_edge", 5, data));
            g.Expected = expected;
        };
    };
    auto installedAs = [](HostileGame& g) {
        const std::string scene = ReadFile(g.ScenePath());
        EXPECT_NE(scene.find(g.Expected), std::string::npos) << "the definition as it should be installed";
    };
    const std::string prefix(14, '\x01');
    return {
        {"AScriptTextEndingInACutPlaceholder", script(prefix + "say #@$&00" + '\0', std::string("say #@$&00\0", 11)), 0,
         kInstalled, Keeps::Nothing, false, installedAs},
        {"AScriptTextWithoutANul", script(prefix + "say #@$&000001", "say 00"), 0, kInstalled, Keeps::Nothing, false,
         installedAs},
        {"AScriptDataChunkTooShortForItsText", script("#@$&000001\x01", "#@$&000001\x01"), 0, kInstalled,
         Keeps::Nothing, false, installedAs},
    };
}

std::vector<HostileRow> DatabaseRows() {
    auto database = [](std::string bytes) { return [bytes](HostileGame& g) { g.SetHostile(g.Database(), bytes); }; };
    auto withIds = [](uint32_t lastButOne, uint32_t last) {
        return [lastButOne, last](HostileGame& g) {
            g.SetHostile(g.Database(), TextDbImage({{1, "one"}, {lastButOne, "high"}, {last, "last"}}));
        };
    };
    return {
        {"AnEmptyDatabase", database(""), kFailed, kDamagedDatabase, Keeps::Everything},
        {"ADatabaseOfFourBytes", database(std::string("\x01\0\0\0", 4)), kFailed, kIoError, Keeps::Everything},
        {"ACountOfFourBillionInASixteenByteDatabase", database(WithU32(std::string(16, '\0'), 0, 4000000000u)), kFailed,
         kDamagedDatabase, Keeps::Everything, true},
        {"ATextOffsetBeyondTheFile", database(WithU32(TextDbImage({{1, "one"}}), 12, 1000)), kFailed, kIoError,
         Keeps::Everything},
        {"ALastTextWithoutItsNul",
         [](HostileGame& g) {
             const std::string b = TextDbImage({{1, "one"}, {2, "two"}});
             g.SetHostile(g.Database(), b.substr(0, b.size() - 1));
         },
         kFailed, kIoError, Keeps::Everything},
        {"ADatabaseWithNoNulAnywhere", database(std::string(1024, 'A')), kFailed, kIoError, Keeps::Everything, true},
        {"ADatabaseHeldOpenByAnotherProgram", [](HostileGame& g) { g.Lock(g.Database()); }, kFailed, kIoError,
         Keeps::Everything},
        {"ADatabaseThatIsAFolder",
         [](HostileGame& g) {
             RemovePath(g.Database());
             MakeFolder(g.Database());
         },
         kFailed, kNoDatabase, Keeps::Everything},
        {"ADatabaseOfNoEntriesTakesTheModsTexts", database(std::string(8, '\0')), 0, kInstalled},
        {"IdsAt0xFFFFFFFEAnd0xFFFFFFFFMakeNewTextsStartAgainFromZero", withIds(0xFFFFFFFE, 0xFFFFFFFF), 0, kInstalled,
         Keeps::Nothing, false, [](HostileGame& g) { EXPECT_EQ(ParseTextDb(ReadFile(g.Database())).at(2).Id, 0u); }},
        // The scripts then point at text 0: not an install to report as done.
        {"ALastButOneIdOf0xFFFFFFFELeavesNoFreeId", withIds(0xFFFFFFFE, 5), kFailed, "TextDB: no free ID", Keeps::Nothing,
         false,
         [](HostileGame& g) { EXPECT_EQ(ParseTextDb(ReadFile(g.Database())).size(), 3u) << "no text was added"; }},
    };
}

std::vector<HostileRow> VersionRows() {
    auto version = [](std::string text) {
        return [text](HostileGame& g) { g.SetHostile(g.Game("tables/version.txt"), text); };
    };
    return {
        {"AnEmptyVersionFile", version(""), kFailed, kNoVersion, Keeps::Everything},
        {"AVersionFileWhoseFirstLineIsEmpty", version("\r\nru\r\n"), kFailed, kNoVersion, Keeps::Everything},
        {"AVersionFileStartingWithNul", version(std::string("\0ru", 3)), kFailed, kNoVersion, Keeps::Everything},
        {"AVersionNamingNoDatabase", version("xx"), kFailed, kNoDatabase, Keeps::Everything},
        {"AVersionLineWithATrailingBlank", version("ru \r\n"), kFailed, kNoDatabase, Keeps::Everything},
        {"AVersionLineOfAMegabyte", version(std::string(1 << 20, 'r')), kFailed, kNoDatabase, Keeps::Everything},
        {"AVersionFileThatIsAFolder",
         [](HostileGame& g) {
             RemovePath(g.Game("tables/version.txt"));
             MakeFolder(g.Game("tables/version.txt"));
         },
         kFailed, kNoVersion, Keeps::Everything},
        {"AVersionFileHeldOpenByAnotherProgram", [](HostileGame& g) { g.Lock(g.Game("tables/version.txt")); }, kFailed,
         kNoVersion, Keeps::Everything},
    };
}

std::vector<HostileRow> SettingsRows() {
    auto newTexts = [](std::string text) {
        return [text](HostileGame& g) { g.SetHostile(g.Mod("DATA/NewTexts.ini"), text); };
    };
    auto options = [](std::string text) {
        return [text](HostileGame& g) { g.SetHostile(g.Mod("interface/options.ini"), text); };
    };
    auto addsNoText = [](HostileGame& g) {
        bool found = false;
        for (const SampleTextEntry& e : ParseTextDb(ReadFile(g.Database()))) found |= e.Text == "no text";
        EXPECT_TRUE(found) << "every placeholder without a text takes \"no text\"";
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) >> 3);
    return {
        {"NoNewTextsIni", [](HostileGame& g) { RemovePath(g.Mod("DATA/NewTexts.ini")); }, kFailed,
         "Stopped: the mod has no DATA/NewTexts.ini", Keeps::Everything},
        {"ANewTextsIniThatIsAFolder",
         [](HostileGame& g) {
             RemovePath(g.Mod("DATA/NewTexts.ini"));
             MakeFolder(g.Mod("DATA/NewTexts.ini"));
         },
         kFailed, "Stopped: the mod has no DATA/NewTexts.ini", Keeps::Everything},
        {"AnEmptyNewTextsIni", newTexts(""), 0, kInstalled, Keeps::Nothing, false, addsNoText},
        {"ANewTextsIniOfBinaryBytes", newTexts(binary), 0, kInstalled, Keeps::Nothing, false, addsNoText},
        {"ANewTextsValueOf100Kilobytes", newTexts("[texts]\r\n#@$&000001=" + std::string(100 << 10, 'x') + "\r\n"), 0,
         kInstalled, Keeps::Nothing, false,
         [](HostileGame& g) {
             bool cut = false;
             for (const SampleTextEntry& e : ParseTextDb(ReadFile(g.Database())))
                 cut |= e.Text == std::string(4095, 'x');
             EXPECT_TRUE(cut) << "a value is cut at 4095 bytes";
         }},
        {"ANewTextsValueHoldingANul", newTexts(std::string("[texts]\r\n#@$&000001=be\0fore\r\n", 29)), 0, kInstalled,
         Keeps::Nothing, false,
         [](HostileGame& g) {
             for (const SampleTextEntry& e : ParseTextDb(ReadFile(g.Database())))
                 EXPECT_EQ(e.Text.find('\0'), std::string::npos);
         }},
        {"NoOptionsIni", [](HostileGame& g) { RemovePath(g.Mod("interface/options.ini")); }, 0, kInstalled},
        {"AnOptionsIniOfBinaryBytes", options(binary), 0, kInstalled},
        {"AnOptionsIniThatIsAFolder",
         [](HostileGame& g) {
             RemovePath(g.Mod("interface/options.ini"));
             MakeFolder(g.Mod("interface/options.ini"));
         },
         0, kInstalled},
        {"AnOptionValueOf100Mebibytes",
         [](HostileGame& g) {
             g.SetHostile(g.Mod("interface/options.ini"),
                          "[Captions]\r\nTitle=" + std::string(100 << 20, 'T') + "\r\n");
         },
         0, kInstalled, Keeps::Nothing, true},
    };
}

std::vector<HostileRow> LayoutRows() {
    return {
        {"NoMissionsFolder", [](HostileGame& g) { RemovePath(g.Game("MISSIONS")); }, kFailed,
         "Stopped: no mission of the game holds a scene2.bin", Keeps::Everything},
        {"AMissionsFolderThatIsAFile",
         [](HostileGame& g) {
             RemovePath(g.Game("MISSIONS"));
             WriteFile(g.Game("MISSIONS"), "not a folder");
         },
         kFailed, "Stopped: no mission of the game holds a scene2.bin", Keeps::Everything},
        {"NoTablesFolder", [](HostileGame& g) { RemovePath(g.Game("tables")); }, kFailed,
         "Stopped: the game has no tables folder", Keeps::Everything},
        {"NoObjectFiles", [](HostileGame& g) { g.RemoveObjectFiles(); }, kFailed,
         "Stopped: the mod's DATA folder has no *.dnc file", Keeps::Everything},
        {"AMissionFolderNamedLikeAFile",
         [](HostileGame& g) {
             MakeFolder(g.Game("MISSIONS/scene2.bin"));
             WriteFile(g.Game("MISSIONS/scene2.bin/scene2.bin"), ReadFile(g.ScenePath()));
         },
         0, "scene2.bin", Keeps::Nothing, false,
         [](HostileGame& g) {
             EXPECT_EQ(ReadFile(g.Game("MISSIONS/scene2.bin/scene2.bin")), ReadFile(g.ScenePath()));
         }},
        {"AModFileWhereTheGameHasAFolder",
         [](HostileGame& g) {
             RemovePath(g.Game("maps/tarn_sign.bmp"));
             MakeFolder(g.Game("maps/tarn_sign.bmp"));
             g.SetHostile(g.Game("maps/tarn_sign.bmp/inside.txt"), "the game's own");
         },
         kFailed, "1 failed", Keeps::HostileFile},
    };
}

std::vector<HostileRow> Rows() {
    std::vector<HostileRow> rows;
    for (auto part : {SceneRows(), OddSceneRows(), ObjectFileRows(), ScriptTextRows(), DatabaseRows(), VersionRows(),
                      SettingsRows(), LayoutRows()})
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

class HostileInput : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileInput, IsReportedWithoutDamagingTheGame) {
    const HostileRow& row = GetParam();
    HostileGame game(row.Name);
    row.Damage(game);
    const std::map<std::string, std::string> before = Snapshot(game.GameDir());
    const std::string hostileBefore = game.Hostile().empty() ? std::string() : ReadFile(game.Hostile());
    game.HoldLock();

    // The rows whose sizes promise gigabytes run as a program of their own,
    // whose peak memory is measured against that of an undamaged install;
    // where no child can be watched they run in-process like the others.
    const std::optional<ChildRun> measured = row.LargeCount ? MeasureInstall(game) : std::nullopt;
    const ConsoleRun run =
        measured ? ConsoleRun{measured->Status, game.LastOutput(), {}} : Pellwise(game.InstallArgs());
    const std::string printed = run.Err + run.Out;
    EXPECT_EQ(run.Status, row.Status) << printed;
    EXPECT_NE(printed.find(row.Message), std::string::npos) << "expected: " << row.Message << "\n" << printed;
    game.Unlock();
    if (measured) {
        const uint64_t allowed = UndamagedPeak() + (32u << 20) + 4 * LargestFile(game.GameDir());
        EXPECT_LE(measured->PeakBytes, allowed) << "peak " << (measured->PeakBytes >> 20) << " MiB";
        EXPECT_GT(measured->PeakBytes, 0u) << "the peak could not be read";
        RecordProperty("PeakMiB", std::to_string(measured->PeakBytes >> 20));
        RecordProperty("AllowedMiB", std::to_string(allowed >> 20));
    }

    const std::map<std::string, std::string> after = Snapshot(game.GameDir());
    if (row.Kept == Keeps::Everything) {
        EXPECT_EQ(ChangedFiles(before, after), std::vector<std::string>{});
    } else if (row.Kept == Keeps::HostileFile) {
        EXPECT_EQ(ReadFile(game.Hostile()), hostileBefore) << game.Hostile();
    }
    for (const auto& [name, bytes] : after)
        EXPECT_EQ(name.find(kTemporarySuffix), std::string::npos) << "left behind: " << name;
    if (row.Also) row.Also(game);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileInput, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<HostileRow>& info) { return info.param.Name; });

TEST(HostileInput, TheTableHoldsAtLeastFortyRows) { EXPECT_GE(Rows().size(), 40u); }

// Cut where a later section would begin, a scene is whole, only shorter:
// it installs. Cut anywhere else, it is damaged and stays as it is.
TEST(HostileInput, ASceneCutAtAnyStructureBoundaryIsReportedAndKeptUnlessItIsWhole) {
    HostileGame game("CutAtAnyBoundary");
    const std::string bytes = ReadFile(game.ScenePath());
    const SceneLayout layout = Layout(bytes);
    const std::vector<size_t> boundaries = layout.Boundaries();
    ASSERT_GT(boundaries.size(), 20u);
    for (const size_t at : boundaries) {
        SCOPED_TRACE("cut at " + std::to_string(at));
        const bool whole = std::any_of(layout.Sections.begin() + 1, layout.Sections.end(),
                                       [at](const SceneLayout::Part& s) { return s.Offset == at; });
        const std::string cut = CutAt(bytes, at);
        WriteFile(game.ScenePath(), cut);
        const ConsoleRun run = Pellwise(game.InstallArgs({"--mission", game.FirstMission()}));
        if (whole) {
            EXPECT_EQ(run.Status, 0) << run.Err;
            continue;
        }
        EXPECT_EQ(run.Status, kFailed) << run.Err;
        EXPECT_NE(run.Err.find(kDamagedScene), std::string::npos) << run.Err;
        EXPECT_EQ(ReadFile(game.ScenePath()), cut);
    }
}

TEST(HostileInput, PathsWithCyrillicLettersAndBlanksInstall) {
    if (NativeToUtf8(NativeFromUtf8("Мафия")) != "Мафия") GTEST_SKIP() << "the system's code page has no Cyrillic";
    HostileGame game("CyrillicMissions", {NativeFromUtf8("Миссия один"), NativeFromUtf8("FREE RIDE")});
    const ConsoleRun run = Pellwise(game.InstallArgs());
    EXPECT_EQ(run.Status, 0) << run.Err << run.Out;
    EXPECT_NE(run.Out.find("Миссия один"), std::string::npos) << run.Out;
    EXPECT_NE(ReadFile(game.ScenePath()), game.OriginalScene());
}

}  // namespace
}  // namespace pellwise::testing
