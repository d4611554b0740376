#include "installer/engine/captions.h"

#include "services/settings_file.h"
#include "services/text_codec.h"

namespace pellwise {

Captions DefaultCaptions() {
    Captions c;
    c.SelectMissions = Ru("Выберите миссии в которые вы желаете установить мод");
    c.NoMissions = Ru("Нет доступных для патчинга миссий. Извлеките MISSIONS с помощью MafiaDataXTractor");
    c.NoTables = Ru("Папка TABLES не найдена. Извлеките её с помощью MafiaDataXTractor");
    c.NoFile = Ru("Файл не найден или не может быть прочитан: ");
    c.NoDnc = Ru("Нет *.dnc для экспорта. Распакуйте архив с модом еще раз.");
    c.Title = "Edit me in \\Mafia\\YourMod\\interface\\options.ini";
    c.PleaseWait = Ru("Пожалуйста подождите");
    c.Overwrite1 = Ru("Обнаружено совпадение имен обьектов.");
    c.Overwrite2 = Ru("Перезаписывать эти обьекты?");
    c.ReplaceFiles = Ru("Файлы мода из папки files\\ уже есть в папке игры. Заменить их? Первый из них:");
    c.HelpAddress = "https://forum.example.org/tarnwick/";
    return c;
}

namespace {

// The profile functions cut trailing blanks off the default they are given,
// which would take the blank off the end of "No file"; a missing key is
// therefore asked for with a marker no file holds, and gets its default here.
class CaptionReader {
public:
    explicit CaptionReader(const std::string& path) : file_(OpenSettingsFile(path)) {}
    void Section(const char* name) { file_.Section = name; }
    std::string ReadString(const char* key, const std::string& defaultValue) {
        const std::string value = file_.ReadString(key, kMissing);
        return value == kMissing ? defaultValue : value;
    }

private:
    static constexpr const char* kMissing = "\x01";
    SettingsFile file_;
};

}  // namespace

Captions ReadCaptions(const std::string& optionsPath) {
    const Captions d = DefaultCaptions();
    CaptionReader file(optionsPath);
    Captions c;
    file.Section("Captions");
    c.SelectMissions = file.ReadString("Select missions", d.SelectMissions);
    c.NoMissions = file.ReadString("No missions", d.NoMissions);
    c.NoTables = file.ReadString("No tables", d.NoTables);
    c.NoFile = file.ReadString("No file", d.NoFile);
    c.NoDnc = file.ReadString("No dnc", d.NoDnc);
    c.Title = file.ReadString("Title", d.Title);
    c.PleaseWait = file.ReadString("Please wait", d.PleaseWait);
    c.Overwrite1 = file.ReadString("Overwrite?_1", d.Overwrite1);
    c.Overwrite2 = file.ReadString("Overwrite?_2", d.Overwrite2);
    c.ReplaceFiles = file.ReadString("Replace files?", d.ReplaceFiles);
    file.Section("Help");
    c.HelpAddress = file.ReadString("help@web", d.HelpAddress);
    return c;
}

}  // namespace pellwise
