#include "services/settings_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "services/ini_text.h"
#include "services/text_codec.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

// One INI file, one question and the answer Windows gives. The same table
// runs natively, against the POSIX parser, and in the Windows build, against
// GetPrivateProfileStringA, whose answers it records.
struct IniCase {
    std::string name;
    std::optional<std::string> file;  // none: there is no file
    std::string section;
    std::string key;
    std::string defaultValue;
    std::string expected;
};

const std::string kLong = std::string(2500, 'a') + std::string(2500, 'b');

// One row per rule of the parser.
std::vector<IniCase> Cases() {
    const std::string captions = "[Captions]\r\n";
    return {
        {"CR and LF each end a line", "[Captions]\nTitle=a\rb=c", "Captions", "b", "d", "c"},
        {"blanks around = and the DOS end-of-file byte", captions + "\tTitle  =\t Hello World \x1A\r\n", "Captions",
         "Title", "d", "Hello World"},
        {"single quotes dropped", captions + "Title='Hello'\r\n", "Captions", "Title", "d", "Hello"},
        {"blanks inside quotes kept", captions + "Title=  \" spaced \"  \r\n", "Captions", "Title", "d", " spaced "},
        {"one pair only", captions + "Title=\"\"x\"\"\r\n", "Captions", "Title", "d", "\"x\""},
        {"mixed quotes kept", captions + "Title=\"Hello'\r\n", "Captions", "Title", "d", "\"Hello'"},
        {"blank value is empty", captions + "Title=   \r\n", "Captions", "Title", "def", ""},
        {"missing section gives the default", captions + "Title=x\r\n", "Help", "Title", "def", "def"},
        {"names without regard to case", "[CAPTIONS]\r\ntItLe=x\r\n", "captions", "TITLE", "d", "x"},
        {"first of two keys", captions + "Title=first\r\nTitle=second\r\n", "Captions", "Title", "d", "first"},
        {"only the first of two sections", captions + "A=1\r\n[Help]\r\n[Captions]\r\nTitle=late\r\n", "Captions",
         "Title", "d", "d"},
        {"key before any section", "Title=x\r\n[Captions]\r\n", "", "Title", "d", "x"},
        {"blanks in and around the brackets do not count", "  [ Captions\t]  \r\n  Title=x\r\n", "Captions", "Title",
         "d", "x"},
        {"asked names lose their blanks", captions + "Title=x\r\n", "  Captions ", " Title\t", "d", "x"},
        {"the last bracket closes", "[Cap]tions] old\r\nTitle=x\r\n", "Cap]tions", "Title", "d", "x"},
        {"a header without bracket is a key", captions + "[Broken\r\nTitle=x\r\n", "Captions", "Title", "d", "x"},
        {"= inside the value", captions + "Title=a=b = c\r\n", "Captions", "Title", "d", "a=b = c"},
        {"no comments", captions + ";Title=x ; y\r\n", "Captions", ";Title", "def", "x ; y"},
        {"a key without = hides a later one", captions + "Title\r\nTitle=x\r\n", "Captions", "Title", "d", "d"},
        {"a quoted 5000-byte value is cut to 4095", captions + "Title=\"" + kLong + "\"\r\n", "Captions", "Title", "d",
         kLong.substr(0, 4095)},
        {"a default of spaces keeps one", captions, "Captions", "Title", "   ", " "},
        {"without a file the default, without its quotes", std::nullopt, "Captions", "Title", "'def' ", "def"},
        {"windows-1251 names and values", Ru("[Тексты]\r\nКлюч=Мафия: Тарнвик\r\n"), Ru("Тексты"), Ru("Ключ"), "d",
         Ru("Мафия: Тарнвик")},
        {"a folder for a file", "<folder>", "Captions", "Title", "def", "def"},
        {"a UTF-8 byte-order mark is no part of the first line", "\xEF\xBB\xBF[Captions]\r\nTitle=x\r\n", "Captions",
         "Title", "d", "x"},
        {"UTF-16 LE with its mark", std::string("\xFF\xFE[\0C\0]\0\r\0\n\0T\0=\0v\0", 18), "C", "T", "d", "v"},
        {"UTF-16 BE with its mark", std::string("\xFE\xFF\0[\0C\0]\0\r\0\n\0T\0=\0v", 18), "C", "T", "d", "v"},
    };
}

TEST(SettingsFile, ReadsEveryCaseOfTheTableAsWindowsDoes) {
    testing::TempFolder folder;
    int index = 0;
    for (const IniCase& c : Cases()) {
        // A file of its own per case: Windows may keep a file it has read,
        // and would not see it rewritten within the same clock tick.
        const std::string path = folder.Path("case" + std::to_string(index++) + ".ini");
        if (c.file == "<folder>") {
            std::filesystem::create_directory(path);
        } else if (c.file) {
            testing::WriteBytes(path, *c.file);
        }
        SettingsFile settings(path);
        settings.Section = c.section;
        const std::string got = settings.ReadString(c.key, c.defaultValue);
        EXPECT_TRUE(got == c.expected) << c.name << ": got " << got.size() << " bytes: " << got.substr(0, 60);
    }
}

// The native reader walks a file once and answers every later question from
// that walk: each answer must be the one a walk for that question alone gives,
// for every question of the table asked of every file of it, and of all of
// them in one file.
TEST(IniValues, AnswerEveryQuestionAsAWalkForThatQuestionAlone) {
    std::vector<std::string> texts;
    std::string all;
    for (const IniCase& c : Cases()) {
        if (!c.file || *c.file == "<folder>") continue;
        texts.push_back(*c.file);
        all += *c.file + "\r\n";
    }
    texts.push_back(all);
    for (const std::string& text : texts) {
        const ini_text::Values values(text);
        for (const IniCase& c : Cases())
            EXPECT_EQ(values.Find(c.section, c.key), ini_text::FindValue(text, c.section, c.key)) << c.name;
    }
}

TEST(SettingsFile, ARelativePathIsTheFileInTheCurrentFolder) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.Path("relative.ini"), "[Captions]\r\nTitle=here\r\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    SettingsFile settings("relative.ini");
    settings.Section = "Captions";
    const std::string got = settings.ReadString("Title", "elsewhere");
    std::filesystem::current_path(previous);
    EXPECT_EQ(got, "here");
}

}  // namespace
}  // namespace pellwise
