#include "services/settings_file.h"

#include <gtest/gtest.h>

#include <optional>

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

std::vector<IniCase> Cases() {
    const std::string captions = "[Captions]\r\n";
    return {
        {"plain CRLF", captions + "Title=Hello\r\nNext=x\r\n", "Captions", "Title", "d", "Hello"},
        {"LF, and no line end at the end", "[Captions]\nNext=x\nTitle=Hello", "Captions", "Title", "d", "Hello"},
        {"CR alone ends lines", "[Captions]\rTitle=Hello\rNext=x", "Captions", "Next", "d", "x"},
        {"CR inside an LF line ends it", "[Captions]\nTitle=a\rb=c\n", "Captions", "Title", "d", "a"},
        {"blanks around =", captions + "\tTitle  =\t Hello World \t\r\n", "Captions", "Title", "d", "Hello World"},
        {"single quotes dropped", captions + "Title='Hello'\r\n", "Captions", "Title", "d", "Hello"},
        {"blanks inside quotes kept", captions + "Title=  \" spaced \"  \r\n", "Captions", "Title", "d", " spaced "},
        {"one pair only", captions + "Title=\"\"x\"\"\r\n", "Captions", "Title", "d", "\"x\""},
        {"mixed quotes kept", captions + "Title=\"Hello'\r\n", "Captions", "Title", "d", "\"Hello'"},
        {"a lone quote kept", captions + "Title=\"\r\n", "Captions", "Title", "d", "\""},
        {"two quotes give empty", captions + "Title=\"\"\r\n", "Captions", "Title", "d", ""},
        {"missing key gives the default", captions + "Title=x\r\n", "Captions", "Other", "def", "def"},
        {"blank value is empty", captions + "Title=   \r\n", "Captions", "Title", "def", ""},
        {"missing section gives the default", captions + "Title=x\r\n", "Help", "Title", "def", "def"},
        {"section name without regard to case", "[CAPTIONS]\r\nTitle=x\r\n", "captions", "Title", "d", "x"},
        {"key name without regard to case", captions + "tItLe=x\r\n", "Captions", "TITLE", "d", "x"},
        {"first of two keys", captions + "Title=first\r\nTitle=second\r\n", "Captions", "Title", "d", "first"},
        {"first of two sections", captions + "Title=first\r\n[Help]\r\nTitle=h\r\n[captions]\r\nTitle=second\r\n",
         "Captions", "Title", "d", "first"},
        {"key only in a repeated section", captions + "A=1\r\n[Help]\r\n[Captions]\r\nTitle=late\r\n", "Captions",
         "Title", "d", "d"},
        {"key before any section", "Title=x\r\n[Captions]\r\nA=1\r\n", "Captions", "Title", "d", "d"},
        {"key before any section, empty section name", "Title=x\r\n[Captions]\r\n", "", "Title", "d", "x"},
        {"blanks in and around the brackets do not count", "  [ Captions\t]  \r\n  Title=x\r\n", "Captions", "Title",
         "d", "x"},
        {"asked names lose their blanks", captions + "Title=x\r\n", "  Captions ", " Title\t", "d", "x"},
        {"text after the closing bracket", "[Captions] old\r\nTitle=x\r\n", "Captions", "Title", "d", "x"},
        {"the last bracket closes", "[Cap]tions]\r\nTitle=x\r\n", "Cap]tions", "Title", "d", "x"},
        {"a header without bracket is a key", captions + "[Broken\r\nTitle=x\r\n", "Captions", "Title", "d", "x"},
        {"= inside the value", captions + "Title=a=b = c\r\n", "Captions", "Title", "d", "a=b = c"},
        {"comments can be asked for", captions + ";Title=x\r\n", "Captions", ";Title", "def", "x"},
        {"no inline comments", captions + "Title=Hello ; not a comment\r\n", "Captions", "Title", "d",
         "Hello ; not a comment"},
        {"blank lines between", "\r\n\r\n[Captions]\r\n\r\n   \r\nTitle=x\r\n", "Captions", "Title", "d", "x"},
        {"a 5000-byte value is cut to 4095", captions + "Title=" + kLong + "\r\n", "Captions", "Title", "d",
         kLong.substr(0, 4095)},
        {"a quoted 5000-byte value", captions + "Title=\"" + kLong + "\"\r\n", "Captions", "Title", "d",
         kLong.substr(0, 4095)},
        {"a long default is cut too", captions, "Captions", "Title", kLong, kLong.substr(0, 4095)},
        {"the default loses its trailing spaces", captions, "Captions", "Title", " def  ", " def"},
        {"a default of spaces keeps one", captions, "Captions", "Title", "   ", " "},
        {"the default loses its quotes", captions, "Captions", "Title", "\"def\"", "def"},
        {"without a file the default, without its quotes", std::nullopt, "Captions", "Title", "'def' ", "def"},
        {"windows-1251 names and values", Ru("[Тексты]\r\nКлюч=Мафия: Тарнвик\r\n"), Ru("Тексты"), Ru("Ключ"), "d",
         Ru("Мафия: Тарнвик")},
        {"placeholder keys", "[texts]\r\n#@$&000001=First\r\n#@$&000002=Second\r\n", "texts", "#@$&000002", "d",
         "Second"},
        {"a key without = hides a later one", captions + "Title\r\nTitle=x\r\n", "Captions", "Title", "d", "d"},
        {"an empty key name", captions + "=v\r\n", "Captions", "", "d", "v"},
        {"an empty section header", "[]\r\nTitle=x\r\n", "", "Title", "d", "d"},
        {"a DOS end-of-file byte is a blank", captions + "Title=x \x1A\r\n", "Captions", "Title", "d", "x"},
        {"a no-break space is no blank", captions + "Title=x\xA0\r\n", "Captions", "Title", "d", "x\xA0"},
        {"a folder for a file", "<folder>", "Captions", "Title", "def", "def"},
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

TEST(SettingsFile, WriteModeStoresTheGivenTextForLaterReads) {
    testing::TempFolder folder;
    const std::string path = folder.Path("options.ini");
    testing::WriteBytes(path, "[Captions]\r\nTitle=old\r\nNext=n\r\n");
    SettingsFile settings(path);
    settings.Mode = SettingsMode::Write;
    for (const char* section : {"captions", "Other"}) {
        settings.Section = section;
        EXPECT_EQ(settings.ReadString("TITLE", section), section);
    }
    settings.Mode = SettingsMode::Read;
    settings.Section = "Captions";
    EXPECT_EQ(settings.ReadString("Title", "missing") + settings.ReadString("Next", "missing"), "captionsn");
    settings.Section = "Other";
    EXPECT_EQ(settings.ReadString("Title", "missing"), "Other");
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
