#include <gtest/gtest.h>

#include <filesystem>

#include "services/folder_listing.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

// '_' sorts after the letters once they are upper case, as on NTFS; a broken
// link is neither file nor folder.
TEST(FolderListingPosix, FilesAndFoldersComeSortedByTheirUpperCasedNames) {
    testing::TempFolder folder;
    for (const char* name : {"b.dnc", "_x.dnc", "A.dnc", "a.dnc"}) testing::WriteBytes(folder.Path(name), "12345");
    std::filesystem::create_directory(folder.Path("c"));
    std::filesystem::create_symlink(folder.Path("gone"), folder.Path("broken"));
    const FolderListing listing(folder.Path(), "*", 0);
    std::vector<std::string> names;
    for (int i = 0; i < listing.Count(); ++i) names.push_back(listing.Names(i));
    EXPECT_EQ(names, (std::vector<std::string>{"A.dnc", "a.dnc", "b.dnc", "c", "_x.dnc"}));
    EXPECT_EQ(listing.Entries()[3].attributes, kAttributeDirectory);
}

}  // namespace
}  // namespace pellwise
