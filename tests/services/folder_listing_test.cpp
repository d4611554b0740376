#include "services/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "services/text_codec.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

std::vector<std::string> SortedNames(const FolderListing& listing) {
    std::vector<std::string> names;
    for (int i = 0; i < listing.Count(); ++i) names.push_back(listing.Names(i));
    std::sort(names.begin(), names.end());
    return names;
}

// Hidden and read-only object files are a mod's files too: further attribute
// bits do not keep an entry out.
TEST(FolderListing, TheMaskAndTheFilterDecideAndTheDotEntriesNeverCome) {
    testing::TempFolder folder;
    for (const char* name : {"A.DNC", "c.txt", "d.dncx", ".hidden.dnc", "locked.dnc"})
        testing::WriteBytes(folder.Path(name), "x");
    testing::MakeReadOnly(folder.Path("locked.dnc"));
    for (const char* name : {"mise01", "FREERIDE"}) std::filesystem::create_directory(folder.Path(name));
    EXPECT_EQ(SortedNames(FolderListing(folder.Path(), "*.dnc", kAttributeArchive)),
              (std::vector<std::string>{".hidden.dnc", "A.DNC", "locked.dnc"}));
    EXPECT_EQ(SortedNames(FolderListing(folder.Path(), "*", kAttributeDirectory)),
              (std::vector<std::string>{"FREERIDE", "mise01"}));
    EXPECT_EQ(FolderListing(folder.Path("MISSIONS"), "*", kAttributeDirectory).Count(), 0);
}

TEST(FolderListing, MaskMatching) {
    for (const auto& [name, mask] : {std::pair{"MISSION.DNC", "*.dnc"}, {"abc", "a?c"}, {"abcabd", "*abd"}})
        EXPECT_TRUE(MatchesMask(name, mask)) << name << " " << mask;
    for (const auto& [name, mask] : {std::pair{"a.dnc.bak", "*.dnc"}, {"ac", "a?c"}, {"aXbYd", "a*b*c"}})
        EXPECT_FALSE(MatchesMask(name, mask)) << name << " " << mask;
    EXPECT_TRUE(MatchesMask(Ru("Миссия.dnc"), Ru("мИССИЯ.*")));
    EXPECT_FALSE(MatchesMask(std::string(60, 'a') + "b", std::string(30, '*') + "c"));
}

}  // namespace
}  // namespace pellwise
