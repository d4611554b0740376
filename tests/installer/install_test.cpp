#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "installer/console/console.h"
#include "installer/console/native_text.h"
#include "installer_test_support.h"
#include "services/paths.h"
#include "services/text_codec.h"
#include "tests/support/recording_message_service.h"

namespace pellwise::testing {
namespace {

// A file read by the game-data reader its own tests pin down.
template <class T>
T Loaded(bool (*load)(T&, const std::string&, MessageService&), const std::string& path) {
    RecordingMessageService quiet;
    T loaded;
    EXPECT_TRUE(load(loaded, path, quiet)) << path;
    return loaded;
}

// The 10-digit references that replaced the placeholders of a definition.
std::vector<uint32_t> References(const SceneFile& scene, const std::string& name) {
    const int index = FindByName(scene.Difinitions, name);
    const Block chunk = index < 0 ? Block() : scene.Difinitions.Chunks[static_cast<size_t>(index)];
    const std::string text(chunk.begin(), chunk.end());
    const std::regex reference("console_addtext (\\d{10})");
    std::vector<uint32_t> refs;
    for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it)
        refs.push_back(static_cast<uint32_t>(std::stoul((*it)[1])));
    return refs;
}

// One patched scene against the sample's own description of it: the scene's
// objects keep their order, less those overwritten, and the mod's follow.
void ExpectPatched(const SampleGame& game, const SampleMission& m, bool overwrite) {
    auto collides = [](const std::string& name) { return name.rfind("Bar_Lamp", 0) == 0; };
    uint32_t size = m.SceneSize;
    std::vector<std::string> objects;
    std::multiset<std::string> added;
    for (const SampleChunkInfo& o : m.Objects)
        if (overwrite && collides(o.Name))
            size -= o.Size;
        else
            objects.push_back(o.Name);
    for (const SampleObjectFile& f : game.ObjectFiles) {
        const bool object = f.Kind == kChunkObject && (overwrite || !collides(f.Name));
        if (object) added.insert(f.Name);
        if (object || f.Kind == kChunkDefinition || f.Kind == kChunkAE51) size += static_cast<uint32_t>(f.Bytes.size());
    }
    const SceneFile scene = Loaded<SceneFile>(LoadFromFile, m.ScenePath);
    EXPECT_EQ(ReadFile(m.ScenePath).size(), size) << m.Name;
    std::vector<std::string> names;
    for (const Block& block : scene.Objects.Chunks) names.push_back(ChunkName(block));
    ASSERT_EQ(names.size(), objects.size() + added.size()) << m.Name;
    EXPECT_TRUE(std::equal(objects.begin(), objects.end(), names.begin())) << m.Name;
    EXPECT_EQ(std::multiset<std::string>(names.begin() + static_cast<long>(objects.size()), names.end()), added);
}

TEST(Install, AllMissionsGetTheModsChunksTextsAndFiles) {
    const Sample sample("install_all");
    const SampleGame& game = sample.Game;
    const ConsoleRun run =
        Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"}));
    ASSERT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    for (const SampleMission& m : game.Missions) ExpectPatched(game, m, true);

    // Placeholders became the IDs of their texts; equal texts share one ID.
    const TextDB db = Loaded<TextDB>(Load, game.TextDbPath);
    const SceneFile scene = Loaded<SceneFile>(LoadFromFile, game.Missions[0].ScenePath);
    const std::vector<uint32_t> intro = References(scene, "TarnIntro");
    const std::vector<uint32_t> talk = References(scene, "TarnTalk");
    ASSERT_EQ(intro.size(), 3u);
    ASSERT_EQ(talk.size(), 3u);
    const std::string& welcome = game.NewTexts.at(0).second;  // of key 000001; then 000002's
    EXPECT_EQ(db.FirstIdOf(welcome), intro[0]);
    EXPECT_EQ(db.FirstIdOf(game.NewTexts.at(1).second), intro[1]);
    EXPECT_EQ(intro[2], intro[0]);
    EXPECT_EQ(talk[0], game.TextDb[10].Id) << "a text the game has keeps its ID";
    EXPECT_EQ(talk[1], intro[0]) << "two keys with one text share an ID";
    EXPECT_EQ(db.FirstIdOf("no text"), talk[2]) << "a key missing from NewTexts.ini";
    // Three new entries, before the entry that was last.
    ASSERT_EQ(db.Count(), static_cast<int>(game.TextDb.size() + 3));
    EXPECT_EQ(db.IdAt(db.Count() - 1), game.TextDb.back().Id);
    EXPECT_NE(run.Out.find(std::to_string(intro[0]) + "  " + Cp1251ToUtf8(welcome)), std::string::npos);

    EXPECT_NE(run.Out.find("Files: 3 copied, 1 replaced, 0 kept, 0 failed"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("tarn_junk.dnc: its chunk kind 0x1234 belongs to no scene section"), std::string::npos);
}

// A dry run writes nothing; after the install, a second one adds no text and,
// whichever the overwrite answer, leaves the game byte for byte as it was
// (pellwise-backup apart, which records each install).
TEST(Install, ADryRunAndASecondInstallLeaveTheGameAsItWas) {
    const Sample sample("second_install");
    const SampleGame& game = sample.Game;
    const auto original = Snapshot(game.GameDir);
    ConsoleRun run =
        Pellwise(InstallArgs(game, {"--all-missions", "--dry-run", "--overwrite", "yes", "--replace-files", "yes"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_EQ(Snapshot(game.GameDir), original);
    EXPECT_NE(run.Out.find("Dry run: nothing was written"), std::string::npos);

    ASSERT_EQ(Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"})).Status,
              kExitOk);
    const auto installed = GameSnapshot(game.GameDir);
    run = Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "no", "--replace-files", "no"}));
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    EXPECT_NE(run.Out.find("Texts added to the database: 0"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("0 added, 0 replaced, 7 kept"), std::string::npos) << run.Out;
    EXPECT_EQ(GameSnapshot(game.GameDir), installed);
    // Overwriting puts the same chunks back at the same ends of their sections.
    run = Pellwise(InstallArgs(game, {"--all-missions", "--overwrite", "yes", "--replace-files", "yes"}));
    EXPECT_NE(run.Out.find("0 added, 7 replaced, 0 kept"), std::string::npos) << run.Out;
    EXPECT_EQ(GameSnapshot(game.GameDir), installed);
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
    for (const std::string& file : stale) EXPECT_EQ(ReadFile(file), "<missing>");
    EXPECT_NE(run.Out.find(m.Name + ": 6 added, 0 replaced, 1 kept; scene " + std::to_string(m.SceneSize) + " -> "),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("Note: 2 questions were answered no"), std::string::npos) << run.Out;
    EXPECT_NE(
        run.Err.find("question: Файлы мода из папки files\\ уже есть в папке игры. Заменить их? Первый из них:\n" +
                     NativeToUtf8(sign) + "\n"),
        std::string::npos)
        << run.Err;
    EXPECT_EQ(ReadFile(sign), before);
    ExpectPatched(sample.Game, m, false);
    EXPECT_EQ(ReadFile(sample.Game.Missions[1].ScenePath).size(), sample.Game.Missions[1].SceneSize) << "not chosen";
}

// Missions are listed in the order of their upper-case forms: "аптека"
// before "Миссия".
TEST(Install, OnATerminalTheOverwriteQuestionIsAskedOncePerRunAndCyrillicMissionNamesAreUsedAsListed) {
    const SampleOptions options{
        .MissionNames = {NativeFromUtf8("Миссия у бара"), "mise 02 bar", NativeFromUtf8("аптека")}};
    if (NativeToUtf8(options.MissionNames[0]) != "Миссия у бара")
        GTEST_SKIP() << "the system's code page has no Cyrillic";
    const Sample sample("terminal", options);
    EXPECT_EQ(Pellwise({"missions", "--game", NativeToUtf8(sample.Game.GameDir)}).Out,
              "mise 02 bar\nаптека\nМиссия у бара\n");
    // The mod's options.ini words the replace question its own way.
    WriteFile(JoinPath(sample.Game.ModDir, "interface/options.ini"), "[Captions]\r\nReplace files? = Replace?\r\n");
    const ConsoleRun run = Pellwise(
        InstallArgs(sample.Game, {"--mission", "Миссия у бара", "--mission", "mise 02 bar"}), {}, true, "y\nn\n");
    EXPECT_EQ(run.Status, kExitOk) << run.Out << run.Err;
    const std::string question = "Обнаружено совпадение имен обьектов.\nПерезаписывать эти обьекты? [y/N]";
    const size_t first = run.Err.find(question);
    ASSERT_NE(first, std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find(question, first + 1), std::string::npos) << "asked again";
    EXPECT_NE(run.Err.find("Replace?\n" + NativeToUtf8(JoinPath(sample.Game.GameDir, "maps/tarn_sign.bmp")) + " [y/N]"),
              std::string::npos)
        << run.Err;
    for (const SampleMission& m : sample.Game.Missions) {
        if (m.Name != options.MissionNames[2]) ExpectPatched(sample.Game, m, true);
    }
}

}  // namespace
}  // namespace pellwise::testing
