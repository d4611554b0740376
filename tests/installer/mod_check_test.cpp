#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "gamedata/object_layout.h"
#include "gamedata/scene_file.h"
#include "installer/console/console.h"
#include "installer/console/native_text.h"
#include "installer/sample/sample_chunks.h"
#include "installer_test_support.h"
#include "services/text_codec.h"
#include "tests/support/recording_message_service.h"

namespace pellwise::testing {
namespace {

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

std::string WithByte(std::string bytes, size_t at, uint8_t value) {
    bytes[at] = static_cast<char>(value);
    return bytes;
}

std::string WithU32(std::string bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

void ExpectFound(const std::string& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

// Every kind of finding on a mod made to hold one of each, the same findings
// as JSON lines, and a clean status only for a clean mod.
TEST(Check, FindsEachKindOfMistakeInAModMadeForIt) {
    const Sample sample("check_mistakes");
    const std::string data = sample.Game.ModDir + "DATA/";
    const std::string object = Bytes(SampleObjectChunk("Lamp", 1, 10));  // type 0x4011 at 6, name at 16
    const std::string script = Bytes(SampleDefinitionChunk("Talk", 5, "console_addtext #@$&000001\nend\n"));
    ChunkWriter nameFirst;
    nameFirst.Begin(0x4010);
    nameFirst.Begin(0x0010);
    nameFirst.Text("Odd");
    nameFirst.End();
    nameFirst.Begin(0x4011);
    nameFirst.U32(9);
    nameFirst.End();
    nameFirst.End();
    WriteFile(data + "a_empty.dnc", "");
    WriteFile(data + "b_size.dnc", WithU32(object, 2, 4000));
    WriteFile(data + "c_nested.dnc", WithU32(object, 18, 900));
    WriteFile(data + "d_order.dnc", Bytes(nameFirst.Bytes()));
    WriteFile(data + "e_type.dnc", WithU32(object, 12, 5));
    WriteFile(data + "f_length.dnc", WithU32(script, 43, 3));
    WriteFile(data + "g_entry.dnc", WithByte(Bytes(SampleEntryAE51("Spawn", "end\n")), 6, 0));
    WriteFile(data + "h_short.dnc", Bytes(SampleDefinitionChunk("Short", 5, "console_addtext #@$&0001")));
    const std::string newTexts = ReadFile(data + "NewTexts.ini") + "#@$&000006=" + std::string(5000, 'a') + "\r\n";
    WriteFile(data + "NewTexts.ini", "\xEF\xBB\xBF" + Cp1251ToUtf8(newTexts));
    WriteFile(sample.Game.ModDir + "interface/options.ini", "[Captions]\r\nTitle=Тарнвик\r\n");
    WriteFile(sample.Game.ModDir + "files/MISSIONS/FREERIDE/scene2.bin", "a scene of its own");
    WriteFile(sample.Game.ModDir + "files/" + std::string(210, 'n'), "x");

    const ConsoleRun run = Pellwise({"check", "--mod", NativeToUtf8(sample.Game.ModDir)});
    EXPECT_EQ(run.Status, kExitFailed);
    ExpectFound(run.Out,
                {
                    "a_empty.dnc, offset 0: the file is too short for a chunk head",
                    "b_size.dnc, offset 2: the chunk's size field says 4000 bytes",
                    "c_nested.dnc, offset 16: the nested chunk at this offset claims 900 bytes",
                    "d_order.dnc, offset 6: the first nested chunk is 0x0010; the game's readers take the type",
                    "e_type.dnc, offset 6: object type 5 is not one the game knows",
                    "f_length.dnc, offset 43: the script's length field says 3, the script has 31 bytes",
                    "g_entry.dnc, offset 6: the entry does not parse",
                    "h_short.dnc, offset 64, key #@$&0001: the marker is not rewritten: fewer than 6",
                    "tarn_door.dnc, offset 61, key #@$&000002: the marker is not rewritten: only scripts",
                    "tarn_junk.dnc, offset 0: chunk kind 0x1234 belongs to no scene section",
                    "tarn_talk.dnc, offset 121, key #@$&000009: NewTexts.ini has no text under this key; "
                    "definition TarnTalk shows \"no text\"",
                    "NewTexts.ini, key #@$&000005: no marker of the mod uses this key",
                    "NewTexts.ini, key #@$&000006: the text is 5000 bytes; the installer keeps the first 4095",
                    "NewTexts.ini, offset 0: starts with a UTF-8 byte-order mark",
                    "options.ini: is UTF-8 where windows-1251 is meant",
                    "scene2.bin: the install patches this file of the game",
                    "nnnn: the name is too long for Windows",
                });
    // The byte-order mark is read past: the mod's other keys are found.
    EXPECT_EQ(run.Out.find("#@$&000001: NewTexts.ini has no text"), std::string::npos);

    const ConsoleRun json = Pellwise({"check", "--mod", NativeToUtf8(sample.Game.ModDir), "--json"});
    EXPECT_EQ(json.Status, kExitFailed);
    size_t lines = 0;
    for (size_t at = 0; at < json.Out.size(); at = json.Out.find('\n', at) + 1, ++lines)
        EXPECT_EQ(json.Out.compare(at, 10, "{\"level\":\""), 0) << json.Out.substr(at, 80);
    const size_t findings = static_cast<size_t>(std::count(run.Out.begin(), run.Out.end(), '\n')) - 3;  // less heads
    EXPECT_EQ(lines, findings) << json.Out;
    ExpectFound(json.Out, {"h_short.dnc\",\"place\":\"offset 64, key #@$&0001\",\"what\":\"the marker is not"});
}

// What the guide tells authors to start from must pass; with a game the check
// says what the mod would replace and which texts the database holds already.
TEST(Check, TheSampleModFollowsTheGameLayoutsAndSaysWhatItDoesToAGame) {
    const Sample sample("check_sample", {.Missions = 2, .MissionNames = {}});
    const ConsoleRun run =
        Pellwise({"check", "--mod", NativeToUtf8(sample.Game.ModDir), "--game", NativeToUtf8(sample.Game.GameDir)});
    for (const char* layout : {"readers", "game knows", "length field", "does not parse", "nested"})
        EXPECT_EQ(run.Out.find(layout), std::string::npos) << layout << "\n" << run.Out;
    ExpectFound(run.Out, {"tarn_common_00.dnc, mission FREERIDE: Bar_Lamp01 would replace the game's chunk",
                          "NewTexts.ini, key #@$&000003: the database holds this text already as ID 11"});

    // A marker's rewrite keeps the script's length, so the field stays right.
    ASSERT_EQ(Pellwise(InstallArgs(sample.Game, {"--all-missions", "--overwrite", "yes"})).Status, kExitOk);
    RecordingMessageService quiet;
    SceneFile scene;
    ASSERT_TRUE(LoadFromFile(scene, sample.Game.Missions[0].ScenePath, quiet));
    for (const Block& definition : scene.Difinitions.Chunks)
        EXPECT_TRUE(CheckObjectFile(definition).empty()) << ChunkName(definition);
}

// A mod written from the guide alone, bytes laid out as it describes them.
TEST(Check, AModWrittenFromTheGuidePassesAndInstalls) {
    const Sample sample("check_guide", {.Missions = 1, .MissionNames = {}});
    const std::string mod = sample.Game.GameDir + "Fresh/";
    ChunkWriter lamp;
    lamp.Begin(0x4010);
    lamp.Begin(0x4011);
    lamp.U32(9);
    lamp.End();
    lamp.Begin(0x0010);
    lamp.Text("FreshLamp");
    lamp.End();
    lamp.End();
    const std::string script = "console_addtext #@$&hello1\nend\n";
    ChunkWriter hello;
    hello.Begin(0xAE21);
    hello.Begin(0xAE23);
    hello.Text("FreshHello");
    hello.End();
    hello.Begin(0xAE22);
    hello.U32(5);
    hello.End();
    hello.Begin(0xAE24);
    hello.Raw(std::string(10, '\0'));
    hello.U32(static_cast<uint32_t>(script.size()));
    hello.Raw(script);
    hello.End();
    hello.End();
    WriteFile(mod + "DATA/lamp.dnc", Bytes(lamp.Bytes()));
    WriteFile(mod + "DATA/hello.dnc", Bytes(hello.Bytes()));
    WriteFile(mod + "DATA/NewTexts.ini", "[texts]\r\n#@$&HELLO1 = Hello from Fresh\r\n");
    WriteFile(mod + "interface/options.ini", "[Captions]\r\nTitle=\"Fresh \"\r\n");

    const ConsoleRun check = Pellwise({"check"}, mod);
    EXPECT_EQ(check.Status, kExitOk) << check.Out;
    ExpectFound(check.Out, {": no errors, no warnings\n"});
    const ConsoleRun install = Pellwise({"install", "--all-missions"}, mod);
    EXPECT_EQ(install.Status, kExitOk) << install.Out;
    ExpectFound(install.Out, {"added    definition FreshHello", "Hello from Fresh", "Result: installed\n"});
}

TEST(ConsoleInspect, ObjectFilesAndScriptsShowTheirMarkersAndWhatReferencesPointAt) {
    const Sample sample("inspect_texts", {.Missions = 1, .MissionNames = {}});
    const std::string data = sample.Game.ModDir + "DATA/";
    ExpectFound(Pellwise({"scene", NativeToUtf8(data + "tarn_intro.dnc"), "--texts"}).Out,
                {"Object file ", "  0xAE21  ", "  TarnIntro\nDefinition TarnIntro (type 5), text at offset 52:\n",
                 "  | console_addtext #@$&000002\n", "  marker #@$&000001 at offset 68: rewritten on install\n"});
    ExpectFound(Pellwise({"scene", NativeToUtf8(data + "tarn_door.dnc"), "--texts"}).Out,
                {"marker #@$&000002 at offset 61: not rewritten: only scripts (definitions of type 5)"});
    WriteFile(data + "cut.dnc", std::string("\x21\xAE\x40\x00\x00\x00", 6));
    const ConsoleRun cut = Pellwise({"scene", NativeToUtf8(data + "cut.dnc")});
    EXPECT_EQ(cut.Status, kExitFailed);
    ExpectFound(cut.Out, {"Error at offset 2: the chunk's size field says 64 bytes, the file has 6"});
    RemovePath(data + "cut.dnc");

    Pellwise(InstallArgs(sample.Game, {"--all-missions", "--overwrite", "yes"}));
    const ConsoleRun scene = Pellwise(
        {"scene", NativeToUtf8(sample.Game.Missions[0].ScenePath), "--textdb", NativeToUtf8(sample.Game.TextDbPath)});
    ExpectFound(scene.Out,
                {"Definition TarnIntro (type 5)", ": \"" + std::string("Добро пожаловать в Тарнвик") + "\"\n",
                 "reference 0000004000: points at no text of the database"});

    // A damaged database says what is wrong and where.
    const std::string db = ReadFile(sample.Game.TextDbPath);
    WriteFile(sample.Game.TextDbPath, WithU32(db, 0, 1u << 30));
    ExpectFound(Pellwise({"textdb", NativeToUtf8(sample.Game.TextDbPath)}).Err,
                {": damaged at offset 0: the head announces 1073741824 entries"});
    WriteFile(sample.Game.TextDbPath, WithU32(db, 12, 1u << 30));
    ExpectFound(Pellwise({"textdb", NativeToUtf8(sample.Game.TextDbPath)}).Err,
                {": damaged at offset 12: entry 0 (ID 300) points at offset 1073741824, beyond the file's end"});
}

TEST(ConsoleUsage, HelpAfterACommandGivesItsUsageAndSampleKeepsAFolderThatHoldsFiles) {
    const ConsoleRun help = Pellwise({"install", "--all-missions", "--help"});
    EXPECT_EQ(help.Status, kExitOk);
    ExpectFound(help.Out, {"pellwise install [--game DIR]", "--dry-run does everything"});
    EXPECT_EQ(help.Out.find("pellwise sample"), std::string::npos);
    ExpectFound(Pellwise({"check", "-h"}).Out, {"pellwise check [--mod DIR] [--game DIR] [--json]"});
    EXPECT_EQ(Pellwise({"check", "--mod", "no such folder"}).Status, kExitUsage);

    const Scratch scratch("sample_kept");
    WriteFile(scratch.Path() + "game/tables/version.txt", "en\r\n");
    const std::string folder = NativeToUtf8(scratch.Path() + "game");
    const ConsoleRun refused = Pellwise({"sample", folder});
    EXPECT_EQ(refused.Status, kExitUsage);
    ExpectFound(refused.Err, {"is not empty; give an empty or new folder, or --force"});
    EXPECT_EQ(ReadFile(scratch.Path() + "game/tables/version.txt"), "en\r\n");
    EXPECT_EQ(Pellwise({"sample", folder, "--force", "--missions", "1"}).Status, kExitOk);
}

// A player's game copied from Windows; missing keys named with the definition
// that asked; bytes after a scene's end kept and the sizes those of the files.
TEST(Install, FindsTheGameInAnyLetterCaseAndReportsRealSizesAndMissingKeys) {
    const Sample sample("letter_case", {.Missions = 2, .MissionNames = {}});
    const std::string game = sample.Game.GameDir;
    std::rename((game + "MISSIONS").c_str(), (game + "missions").c_str());
    std::rename((game + "tables").c_str(), (game + "TABLES").c_str());
    const std::string scene = game + "missions/FREERIDE/SCENE2.BIN";
    std::rename((game + "missions/FREERIDE/scene2.bin").c_str(), scene.c_str());
    WriteFile(scene, ReadFile(scene) + "TAIL");
    const size_t before = ReadFile(scene).size();

    const ConsoleRun run = Pellwise(InstallArgs(sample.Game, {"--all-missions", "--overwrite", "no"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    const std::string after = ReadFile(scene);
    EXPECT_EQ(after.substr(after.size() - 4), "TAIL");
    ExpectFound(run.Out, {"FREERIDE: ",
                          "scene " + std::to_string(before) + " -> " + std::to_string(after.size()) +
                              " bytes (4 bytes after the scene's end kept as they were)",
                          "#@$&000009 asked by definition TarnTalk (tarn_talk.dnc)", "Result: installed"});

    const ConsoleRun inGame = Pellwise({"install", "--all-missions"}, game);
    EXPECT_EQ(inGame.Status, kExitFailed);
    ExpectFound(inGame.Out, {"The mod's files were unpacked into the game folder itself"});
}

}  // namespace
}  // namespace pellwise::testing
