#include <gtest/gtest.h>

#include "services/settings_file.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(SettingsFilePosix, EveryReadSeesTheFileAsItIsNow) {
    testing::TempFolder folder;
    const std::string path = folder.Path("NewTexts.ini");
    SettingsFile settings(path);
    settings.Section = "texts";
    EXPECT_EQ(settings.ReadString("a", "none"), "none");
    testing::WriteBytes(path, "[texts]\na=1\n");
    EXPECT_EQ(settings.ReadString("a", "none"), "1");
    testing::WriteBytes(path, "[texts]\na=2\n");
    EXPECT_EQ(settings.ReadString("a", "none"), "2");
}

TEST(SettingsFilePosix, WritingKeepsTheLinesItDoesNotChange) {
    testing::TempFolder folder;
    const std::string path = folder.Path("options.ini");
    testing::WriteBytes(path, "; comment\r\n[Captions]\r\n  Title = old  \r\n\r\n[Help]\r\nUrl=u");
    SettingsFile settings(path);
    settings.Mode = SettingsMode::Write;
    settings.Section = "Captions";
    settings.ReadString("title", "new");
    settings.ReadString("Next", "n");
    settings.Section = "Help";
    settings.ReadString("Mail", "m");
    EXPECT_EQ(testing::ReadBytes(path),
              "; comment\r\n[Captions]\r\n  Title=new  \r\nNext=n\r\n\r\n[Help]\r\nUrl=u\r\nMail=m\r\n");
}

}  // namespace
}  // namespace pellwise
