#include <algorithm>
#include <cstdio>

#include "installer/engine/folders.h"
#include "installer/sample/sample_chunks.h"
#include "installer/sample/sample_parts.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

std::string_view View(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void AddObjectFile(SampleGame& game, std::string fileName, std::string name, std::vector<uint8_t> bytes,
                   std::vector<std::string> keys = {}) {
    SampleObjectFile f;
    f.FileName = std::move(fileName);
    f.Kind = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
    f.Name = std::move(name);
    f.Bytes = std::move(bytes);
    f.TextKeys = std::move(keys);
    game.ObjectFiles.push_back(std::move(f));
}

void MakeObjectFiles(const SampleOptions& options, SampleGame& game) {
    AddObjectFile(game, "tarn_car.dnc", "TarnCar", SampleObjectChunk("TarnCar", 7001, 200));
    AddObjectFile(game, "TARN_LIGHT.DNC", "TarnLight", SampleObjectChunk("TarnLight", 7002, 64));
    for (int c = 0; c < options.Collisions; ++c) {
        char file[40];
        std::snprintf(file, sizeof file, "tarn_common_%02d.dnc", c);
        const std::string name = SampleCollisionName(c);
        AddObjectFile(game, file, name, SampleObjectChunk(name, 7100 + static_cast<uint32_t>(c), 96));
    }
    if (options.StoreCollision)
        AddObjectFile(game, "tarn_car_alt.dnc", "TarnCar", SampleObjectChunk("TarnCar", 7003, 120));
    AddObjectFile(game, "tarn_intro.dnc", "TarnIntro",
                  SampleDefinitionChunk("TarnIntro", 5,
                                        "console_addtext #@$&000001\nwait 3\nconsole_addtext #@$&000002\n"
                                        "console_addtext #@$&000001\nend\n"),
                  {"#@$&000001", "#@$&000002", "#@$&000001"});
    AddObjectFile(game, "tarn_talk.dnc", "TarnTalk",
                  SampleDefinitionChunk("TarnTalk", 5,
                                        "console_addtext #@$&000003\nconsole_addtext #@$&000004\n"
                                        "console_addtext #@$&000009\nend\n"),
                  {"#@$&000003", "#@$&000004", "#@$&000009"});
    AddObjectFile(game, "tarn_door.dnc", "TarnDoor", SampleDefinitionChunk("TarnDoor", 4, "door_text #@$&000002\n"));
    AddObjectFile(game, "tarn_spawn.dnc", "TarnSpawn", SampleEntryAE51("TarnSpawn", "wait 2\nend\n"));
    AddObjectFile(game, "tarn_marker.dnc", "NoName", SampleEntryAE03(11));
    ChunkWriter junk;  // a chunk of a kind no section holds
    junk.Begin(0x1234);
    junk.Fill(30, 5);
    junk.End();
    AddObjectFile(game, "tarn_junk.dnc", "NoName", junk.Bytes());
    std::stable_sort(game.ObjectFiles.begin(), game.ObjectFiles.end(),
                     [](const auto& a, const auto& b) { return UpperCase(a.FileName) < UpperCase(b.FileName); });
}

std::string NewTextsIni(SampleGame& game) {
    game.NewTexts = {
        {"#@$&000001", Ru("Добро пожаловать в Тарнвик")},
        {"#@$&000002", Ru("Томми, машина ждёт у бара")},
        {"#@$&000003", SampleGameText(10)},  // a text the game has already
        {"#@$&000004", Ru("Добро пожаловать в Тарнвик")},
        {"#@$&000005", Ru("Этот текст не нужен ни одному скрипту")},
    };
    std::string ini = "; New texts of the Tarnwick mod\r\n[texts]\r\n";
    for (const auto& [key, text] : game.NewTexts) ini += key + "=" + text + "\r\n";
    return ini;
}

bool WriteLooseFiles(const SampleOptions& options, SampleGame& game, std::string& error) {
    game.LooseFiles = {"readme_tarnwick.txt", JoinPath("models", "tarn_car.4ds"),
                       JoinPath("models/cars", "tarn_car_lod.4ds"), JoinPath("maps", "tarn_sign.bmp")};
    const std::string filesDir = JoinPath(game.ModDir, "files/");
    for (size_t i = 0; i < game.LooseFiles.size(); ++i) {
        ChunkWriter content;
        content.Raw("Tarnwick loose file ");
        content.Raw(game.LooseFiles[i]);
        content.Fill(100 + 50 * i, static_cast<uint32_t>(i));
        if (!WriteSampleFile(JoinPath(filesDir, game.LooseFiles[i]), content.View(), error)) return false;
    }
    MakeFolders(JoinPath(filesDir, "sounds/empty/"));
    if (options.ReplaceableFile) {
        game.ExistingLooseFiles = {JoinPath("maps", "tarn_sign.bmp")};
        if (!WriteSampleFile(JoinPath(game.GameDir, game.ExistingLooseFiles[0]), "the game's own sign", error))
            return false;
    }
    return true;
}

}  // namespace

std::string SampleCollisionName(int c) {
    char name[32];
    std::snprintf(name, sizeof name, "Bar_Lamp%02d", c + 1);
    return name;
}

bool WriteSampleMod(const SampleOptions& options, SampleGame& game, std::string& error) {
    MakeObjectFiles(options, game);
    const std::string dataDir = JoinPath(game.ModDir, "DATA/");
    for (const SampleObjectFile& f : game.ObjectFiles)
        if (!WriteSampleFile(dataDir + f.FileName, View(f.Bytes), error)) return false;
    const std::string options_ini =
        "[Captions]\r\nTitle=[Tarnwick] Installer\r\n\r\n[Help]\r\nhelp@web=https://forum.example.org/tarnwick/\r\n";
    const std::string readme = "{\\rtf1\\ansi\\ansicpg1251 Tarnwick: " + Ru("мод для Mafia") + "\\par}\r\n";
    return WriteSampleFile(dataDir + "NewTexts.ini", NewTextsIni(game), error) &&
           WriteSampleFile(dataDir + "notes.txt", "not an object file", error) &&
           WriteSampleFile(JoinPath(game.ModDir, "interface/options.ini"), options_ini, error) &&
           WriteSampleFile(JoinPath(game.ModDir, "Help/readme1st.rtf"), readme, error) &&
           WriteLooseFiles(options, game, error);
}

}  // namespace pellwise
