#include "services/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "services/text_codec.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::string> SortedNames(const FolderListing& listing) {
    std::vector<std::string> names;
    for (int i = 0; i < listing.Count(); ++i) names.push_back(listing.Names(i));
    std::sort(names.begin(), names.end());
    return names;
}

const FolderEntry* Find(const FolderListing& listing, const std::string& name) {
    for (const FolderEntry& entry : listing.Entries())
        if (entry.name == name) return &entry;
    return nullptr;
}

// Hidden and read-only entries are listed too: the filter's bits must be set,
// further bits do not keep an entry out.
TEST(FolderListing, TheMaskAndTheFilterDecideAndTheDotEntriesNeverCome) {
    TempFolder folder;
    for (const char* name : {"A.DNC", "b.dnc", "c.txt", "d.dncx", ".hidden.dnc", "locked.dnc"})
        WriteBytes(folder.Path(name), "x");
    testing::MakeReadOnly(folder.Path("locked.dnc"));
    for (const char* name : {"mise01", "FREERIDE"}) std::filesystem::create_directory(folder.Path(name));
    const FolderListing listing(folder.Path(), "*.dnc", kAttributeArchive);
    EXPECT_EQ(SortedNames(listing), (std::vector<std::string>{".hidden.dnc", "A.DNC", "b.dnc", "locked.dnc"}));
    EXPECT_EQ(listing.Path(), folder.Path());
    EXPECT_EQ(Find(listing, ".hidden.dnc")->attributes & (kAttributeHidden | kAttributeReadOnly), kAttributeHidden);
    EXPECT_EQ(Find(listing, "locked.dnc")->attributes & (kAttributeHidden | kAttributeReadOnly), kAttributeReadOnly);
    EXPECT_EQ(FolderListing(folder.Path(), "*.dnc", kAttributeArchive | kAttributeReadOnly).Count(), 1);
    const FolderListing folders(folder.Path(), "*", kAttributeDirectory);
    EXPECT_EQ(SortedNames(folders), (std::vector<std::string>{"FREERIDE", "mise01"}));
}

TEST(FolderListing, NothingToListGivesAnEmptyListing) {
    const FolderListing noFolder("", "*", 0);
    EXPECT_EQ(noFolder.Count(), 0);
    EXPECT_EQ(noFolder.Path(), "");
    TempFolder folder;
    const FolderListing missing(folder.Path("MISSIONS"), "*", kAttributeDirectory);
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_EQ(missing.Path(), folder.Path("MISSIONS") + folder.Path().back());
    EXPECT_EQ(missing.Names(0), "");
    EXPECT_EQ(missing.Names(-1), "");
}

TEST(FolderListing, MaskMatching) {
    const struct {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        {"MISSION.DNC", "*.dnc", true},
        {".dnc", "*.dnc", true},
        {"a.dnc.bak", "*.dnc", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"", "*", true},
        {"", "", true},
        {"x", "", false},
        {"aXbYc", "a*b*c", true},
        {"aXbYd", "a*b*c", false},
        {"abcabd", "*abd", true},
        {"mise01", "MISE??", true},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " / " << c.mask;
    EXPECT_TRUE(MatchesMask(Ru("Миссия.dnc"), Ru("мИССИЯ.*")));
    EXPECT_FALSE(MatchesMask(std::string(60, 'a') + "b", std::string(30, '*') + "c"));
}

}  // namespace
}  // namespace pellwise
