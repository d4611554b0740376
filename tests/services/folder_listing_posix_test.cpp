#include <gtest/gtest.h>

#include <filesystem>

#include "services/folder_listing.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

TEST(FolderListingPosix, EntriesComeSortedByTheirUpperCasedNames) {
    testing::TempFolder folder;
    for (const char* name : {"b.dnc", "_x.dnc", "A.dnc", "c.dnc", "a.dnc"}) testing::WriteBytes(folder.Path(name), "");
    const FolderListing listing(folder.Path(), "*", kAttributeArchive);
    std::vector<std::string> names;
    for (int i = 0; i < listing.Count(); ++i) names.push_back(listing.Names(i));
    // '_' sorts after the letters once they are upper case, not before them.
    EXPECT_EQ(names, (std::vector<std::string>{"A.dnc", "a.dnc", "b.dnc", "c.dnc", "_x.dnc"}));
}

TEST(FolderListingPosix, OnlyFilesAndFoldersAreListed) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.Path("file"), "12345");
    std::filesystem::create_directory(folder.Path("folder"));
    std::filesystem::create_symlink(folder.Path("gone"), folder.Path("broken"));
    const FolderListing listing(folder.Path(), "*", 0);
    ASSERT_EQ(listing.Count(), 2);
    EXPECT_EQ(listing.Entries()[0].attributes, kAttributeArchive);
    EXPECT_EQ(listing.Entries()[0].size, 5u);
    EXPECT_EQ(listing.Entries()[1].attributes, kAttributeDirectory);
}

}  // namespace
}  // namespace pellwise
