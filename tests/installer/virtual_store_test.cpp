#include "installer/engine/virtual_store.h"

#include <gtest/gtest.h>

#include "installer/engine/ledger.h"

namespace pellwise::testing {
namespace {

const VirtualStoreFolders kFolders{"C:\\Users\\J\\AppData\\Local", {"C:\\Program Files\\", "C:\\Program Files (x86)"}};

TEST(VirtualStore, TheCopyIsTheSamePathWithoutTheDriveUnderTheUsersVirtualStore) {
    EXPECT_EQ(VirtualStoreCopyOf(kFolders, "C:\\Program Files (x86)\\Mafia\\tables/textdb_cz.def"),
              "C:\\Users\\J\\AppData\\Local\\VirtualStore\\Program Files (x86)\\Mafia\\tables\\textdb_cz.def");
    EXPECT_EQ(VirtualStoreCopyOf(kFolders, "c:/program files/Mafia/MISSIONS/m1/scene2.bin"),
              "C:\\Users\\J\\AppData\\Local\\VirtualStore\\program files\\Mafia\\MISSIONS\\m1\\scene2.bin")
        << "Windows compares these paths without regard to case or separator";
    // Only below the folders themselves.
    EXPECT_EQ(VirtualStoreCopyOf(kFolders, "C:\\Program Files Games\\Mafia\\game.exe"), "");
    EXPECT_EQ(VirtualStoreCopyOf(kFolders, "D:\\Games\\Mafia\\game.exe"), "");
    EXPECT_EQ(VirtualStoreCopyOf(kFolders, "C:\\Program Files"), "");
    EXPECT_EQ(VirtualStoreCopyOf({"", kFolders.ProgramFiles}, "C:\\Program Files\\Mafia\\game.exe"), "");
}

TEST(VirtualStore, MovedCopiesSurviveTheLedgerAndOlderLedgersReadAsBefore) {
    InstallRecord record{3, "2026-12-07 16:00:00", "Tarnwick", {}, {"maps"}, {}};
    record.Moved.push_back({"tables/textdb_cz.def", "C:\\Users\\J\\AppData\\Local\\VirtualStore\\x\\textdb_cz.def"});
    const std::optional<std::vector<InstallRecord>> back = ParseRecords(LedgerText({record}));
    ASSERT_TRUE(back && back->size() == 1);
    ASSERT_EQ(back->front().Moved.size(), 1u);
    EXPECT_EQ(back->front().Moved[0].Target, record.Moved[0].Target);
    EXPECT_EQ(back->front().Moved[0].From, record.Moved[0].From);
    EXPECT_EQ(back->front().Folders, record.Folders);
}

}  // namespace
}  // namespace pellwise::testing
