#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "installer/console/console.h"
#include "installer/console/native_text.h"
#include "installer/engine/sample_chunks.h"
#include "installer_test_support.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise::testing {
namespace {

std::string NewText(const SampleGame& game, const std::string& key) {
    for (const auto& [k, text] : game.NewTexts)
        if (k == key) return text;
    return "no text";
}

// The 10-digit references that replaced the placeholders of a definition.
std::vector<uint32_t> References(const ParsedScene& scene, const std::string& name) {
    for (const ParsedChunk& c : scene.Section(0xAE20).Chunks) {
        if (c.Name != name) continue;
        std::vector<uint32_t> refs;
        const std::string text = c.Bytes.substr(SampleDefinitionTextOffset(name));
        for (size_t at = text.find("console_addtext "); at != std::string::npos;
             at = text.find("console_addtext ", at + 1)) {
            const std::string digits = text.substr(at + 16, 10);
            EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << digits;
            refs.push_back(static_cast<uint32_t>(std::stoul(digits)));
        }
        return refs;
    }
    ADD_FAILURE() << "no definition " << name;
    return {};
}

std::string TextOf(const std::vector<SampleTextEntry>& db, uint32_t id) {
    for (const SampleTextEntry& e : db)
        if (e.Id == id) return e.Text;
    return "<no entry>";
}

// Checks one patched scene against the sample's own description of it.
void ExpectPatched(const SampleGame& game, const SampleMission& m, bool overwrite) {
    const ParsedScene scene = ParseScene(ReadFile(m.ScenePath));
    ASSERT_TRUE(scene.Ok) << m.Name;
    uint32_t expectedSize = m.SceneSize;
    std::vector<std::string> objects;
    std::multiset<std::string> modObjects;
    for (const SampleChunkInfo& o : m.Objects) {
        const bool collides = o.Name.rfind("Bar_Lamp", 0) == 0;
        if (collides && overwrite) {
            expectedSize -= o.Size;
        } else {
            objects.push_back(o.Name);
        }
    }
    for (const SampleObjectFile& f : game.ObjectFiles) {
        const bool collides = f.Name.rfind("Bar_Lamp", 0) == 0;
        if (f.Kind == 0x4010 && (!collides || overwrite)) {
            modObjects.insert(f.Name);
            expectedSize += static_cast<uint32_t>(f.Bytes.size());
        }
        if (f.Kind == 0xAE21 || f.Kind == 0xAE51) expectedSize += static_cast<uint32_t>(f.Bytes.size());
    }
    EXPECT_EQ(scene.TotalSize, expectedSize) << m.Name;
    const std::vector<std::string> names = scene.Names(0x4000);
    ASSERT_EQ(names.size(), objects.size() + modObjects.size());
    // The scene's own objects keep their order; the mod's follow them.
    EXPECT_TRUE(std::equal(objects.begin(), objects.end(), names.begin())) << m.Name;
    EXPECT_EQ(std::multiset<std::string>(names.begin() + static_cast<long>(objects.size()), names.end()), modObjects);
    std::vector<std::string> definitions;
    for (const SampleChunkInfo& d : m.Definitions) definitions.push_back(d.Name);
    definitions.insert(definitions.end(), {"TarnDoor", "TarnIntro", "TarnTalk"});
    std::vector<std::string> gotDefinitions = scene.Names(0xAE20);
    std::sort(gotDefinitions.begin() + static_cast<long>(m.Definitions.size()), gotDefinitions.end());
    EXPECT_EQ(gotDefinitions, definitions);
    EXPECT_EQ(scene.Names(0xAE50).back(), "TarnSpawn");
    EXPECT_EQ(scene.Names(0xAE02).size(), m.EntriesAE02.size()) << "0xAE02 entries are never imported";
}

TEST(Install, AllMissionsGetTheModsChunksTextsAndFiles) {
    const Sample sample("install_all");
    const SampleGame& game = sample.Game;
    const ConsoleRun run =
        Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"}));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    for (const SampleMission& m : game.Missions) ExpectPatched(game, m, true);

    // Placeholders became the IDs of their texts; equal texts share one ID.
    const std::vector<SampleTextEntry> db = ParseTextDb(ReadFile(game.TextDbPath));
    const ParsedScene scene = ParseScene(ReadFile(game.Missions[0].ScenePath));
    const std::vector<uint32_t> intro = References(scene, "TarnIntro");
    const std::vector<uint32_t> talk = References(scene, "TarnTalk");
    ASSERT_EQ(intro.size(), 3u);
    ASSERT_EQ(talk.size(), 3u);
    EXPECT_EQ(TextOf(db, intro[0]), NewText(game, "#@$&000001"));
    EXPECT_EQ(TextOf(db, intro[1]), NewText(game, "#@$&000002"));
    EXPECT_EQ(intro[2], intro[0]);
    EXPECT_EQ(talk[0], game.TextDb[10].Id) << "a text the game has keeps its ID";
    EXPECT_EQ(talk[1], intro[0]) << "two keys with one text share an ID";
    EXPECT_EQ(TextOf(db, talk[2]), "no text") << "a key missing from NewTexts.ini";

    // Three new entries, before the entry that was last.
    ASSERT_EQ(db.size(), game.TextDb.size() + 3);
    EXPECT_EQ(db.back().Id, game.TextDb.back().Id);
    EXPECT_EQ(db[db.size() - 5].Id, game.TextDb[game.TextDb.size() - 2].Id);
    EXPECT_NE(run.Out.find("Texts added to the database: 3"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find(std::to_string(intro[0]) + "  " + Cp1251ToUtf8(NewText(game, "#@$&000001"))),
              std::string::npos);

    // The mod's door script is not a script of type 5: its marker stays.
    EXPECT_NE(ReadFile(game.Missions[0].ScenePath).find("door_text #@$&000002"), std::string::npos);

    for (const std::string& file : game.LooseFiles)
        EXPECT_EQ(ReadFile(JoinPath(game.GameDir, file)), ReadFile(JoinPath(JoinPath(game.ModDir, "files"), file)));
    EXPECT_TRUE(PathExists(JoinPath(game.GameDir, "sounds/empty")));
    EXPECT_NE(run.Out.find("Files: 3 copied, 1 replaced, 0 kept, 0 failed"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("tarn_junk.dnc: its chunk kind 0x1234 belongs to no scene section"), std::string::npos);
    EXPECT_NE(run.Out.find("Result: installed"), std::string::npos);
}

// A dry run writes nothing; after the install, a second one adds no text and,
// whichever the overwrite answer, leaves the game byte for byte as it was.
TEST(Install, ADryRunAndASecondInstallLeaveTheGameAsItWas) {
    const Sample sample("second_install");
    const SampleGame& game = sample.Game;
    const auto original = Snapshot(game.GameDir);
    ConsoleRun run =
        Pellwise(InstallArgs(game, {"--all-missions", "--dry-run", "--overwrite", "yes", "--replace-files", "yes"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_EQ(Snapshot(game.GameDir), original);
    EXPECT_NE(run.Out.find("Dry run: nothing was written"), std::string::npos);
    EXPECT_NE(run.Out.find("Texts added to the database: 3"), std::string::npos);
    EXPECT_NE(run.Out.find("replaced " + JoinPath("maps", "tarn_sign.bmp")), std::string::npos) << run.Out;

    ASSERT_EQ(Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"})).Status,
              kExitOk);
    const auto installed = Snapshot(game.GameDir);
    const std::string db = ReadFile(game.TextDbPath);

    run = Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "no", "--replace-files", "no"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_NE(run.Out.find("Texts added to the database: 0"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("0 added, 0 replaced, 7 kept"), std::string::npos) << run.Out;
    EXPECT_EQ(ReadFile(game.TextDbPath), db);
    EXPECT_EQ(Snapshot(game.GameDir), installed);

    // Overwriting puts the same chunks back at the same ends of their sections.
    run = Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_NE(run.Out.find("0 added, 7 replaced, 0 kept"), std::string::npos) << run.Out;
    EXPECT_EQ(Snapshot(game.GameDir), installed);
}

// Temporary files a killed run left beside the game's go, those of missions
// not chosen too.
TEST(Install, WithoutATerminalEveryQuestionIsAnsweredNoAndTheReportSaysSo) {
    const Sample sample("no_terminal");
    const SampleMission& m = sample.Game.Missions[0];
    const std::string sign = JoinPath(sample.Game.GameDir, "maps/tarn_sign.bmp");
    const std::string before = ReadFile(sign);
    const std::vector<std::string> stale = {sample.Game.Missions[2].ScenePath + ".pellwise-tmp",
                                            sample.Game.TextDbPath + ".pellwise-tmp"};
    for (const std::string& file : stale) WriteFile(file, "half a file");
    const ConsoleRun run = Pellwise(InstallArgs(sample.Game, {"--mission", m.Name}));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    for (const std::string& file : stale) EXPECT_FALSE(PathExists(file)) << file;
    const uint32_t after = static_cast<uint32_t>(ReadFile(m.ScenePath).size());
    EXPECT_NE(run.Out.find(m.Name + ": 6 added, 0 replaced, 1 kept; scene " + std::to_string(m.SceneSize) + " -> " +
                           std::to_string(after) + " bytes"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("kept     object Bar_Lamp01"), std::string::npos);
    EXPECT_NE(run.Out.find("Overwrite in the missions: no (asked)"), std::string::npos);
    EXPECT_NE(run.Out.find("Note: 2 questions were answered no"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("kept     maps"), std::string::npos) << run.Out;
    EXPECT_EQ(ReadFile(sign), before);
    ExpectPatched(sample.Game, m, false);
    // Only the mission asked for is touched.
    EXPECT_EQ(ParseScene(ReadFile(sample.Game.Missions[1].ScenePath)).TotalSize, sample.Game.Missions[1].SceneSize);
}

TEST(Install, OnATerminalTheOverwriteQuestionIsAskedOncePerRun) {
    const Sample sample("terminal");
    const ConsoleRun run =
        Pellwise(InstallArgs(sample.Game, {"--all-missions", "--replace-files", "no"}), {}, true, "y\n");
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    const std::string question = "Обнаружено совпадение имен обьектов.\nПерезаписывать эти обьекты? [y/N]";
    const size_t first = run.Err.find(question);
    ASSERT_NE(first, std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find(question, first + 1), std::string::npos) << "asked again";
    for (const SampleMission& m : sample.Game.Missions) ExpectPatched(sample.Game, m, true);
}

// Listed in the order of their upper-case forms: "аптека" before "Миссия".
TEST(Install, MissionNamesWithBlanksAndCyrillicLettersAreUsedAsListed) {
    SampleOptions options;
    options.MissionNames = {NativeFromUtf8("Миссия у бара"), "mise 02 bar", NativeFromUtf8("аптека")};
    if (NativeToUtf8(options.MissionNames[0]) != "Миссия у бара")
        GTEST_SKIP() << "the system's code page has no Cyrillic";
    const Sample sample("names", options);
    const ConsoleRun listed = Pellwise({"missions", "--game", NativeToUtf8(sample.Game.GameDir)});
    EXPECT_EQ(listed.Out, "mise 02 bar\nаптека\nМиссия у бара\n");
    const ConsoleRun run = Pellwise(
        InstallArgs(sample.Game, {"--mission", "Миссия у бара", "--mission", "mise 02 bar", "--overwrite", "yes"}));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    const std::vector<SampleMission>& missions = sample.Game.Missions;
    ExpectPatched(sample.Game, missions[0], true);
    EXPECT_EQ(ParseScene(ReadFile(missions[1].ScenePath)).TotalSize, missions[1].SceneSize);
    ExpectPatched(sample.Game, missions[2], true);
    EXPECT_NE(run.Out.find("  Миссия у бара: "), std::string::npos) << run.Out;
}

TEST(Install, ADamagedMissionIsSkippedWhileTheOthersArePatched) {
    const Sample sample("damaged_mission");
    const SampleMission& damaged = sample.Game.Missions[1];
    std::string bytes = ReadFile(damaged.ScenePath);
    bytes[0] = 'X';
    WriteFile(damaged.ScenePath, bytes);
    const ConsoleRun run = Pellwise(InstallArgs(sample.Game, {"--all-missions", "--overwrite", "yes"}));
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(ReadFile(damaged.ScenePath), bytes);
    EXPECT_NE(run.Err.find("Scene2bin unit: Incorrect file signature"), std::string::npos) << run.Err;
    EXPECT_NE(run.Out.find(damaged.Name + ": FAILED"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Result: FAILED (1 missions"), std::string::npos) << run.Out;
    for (const SampleMission& m : sample.Game.Missions)
        if (m.Name != damaged.Name) ExpectPatched(sample.Game, m, true);
    // The database is still written: the patched missions use its new texts.
    EXPECT_EQ(ParseTextDb(ReadFile(sample.Game.TextDbPath)).size(), sample.Game.TextDb.size() + 3);
}

TEST(Install, ALatinLetterDatabaseReceivesAndIsSearchedWithTextsInLatinLetters) {
    SampleOptions options;
    options.LatinTextDb = true;
    const Sample sample("latin", options);
    const ConsoleRun run = Pellwise(InstallArgs(sample.Game, {"--all-missions", "--overwrite", "yes"}));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    const std::vector<SampleTextEntry> db = ParseTextDb(ReadFile(sample.Game.TextDbPath));
    ASSERT_EQ(db.size(), sample.Game.TextDb.size() + 3) << "the text the game has is found in its Latin form";
    const ParsedScene scene = ParseScene(ReadFile(sample.Game.Missions[0].ScenePath));
    EXPECT_EQ(TextOf(db, References(scene, "TarnIntro").at(0)), "DOSPO YOGAVOBATL B TAPHBNK");
    EXPECT_NE(run.Out.find("Latin letters"), std::string::npos);
    const ConsoleRun found = Pellwise({"textdb", NativeToUtf8(sample.Game.TextDbPath), "--find", "Мафия"});
    EXPECT_NE(found.Out.find("kind 2 (Latin letters)"), std::string::npos) << found.Out;
    EXPECT_NE(found.Out.find("  100  MAONR\n"), std::string::npos) << "Russian is looked up in its Latin form";
}

}  // namespace
}  // namespace pellwise::testing
