#include "services/paths.h"

#include <gtest/gtest.h>

namespace pellwise {
namespace {

std::string Native(std::string p) {
    for (char& c : p)
        if (c == '\\' || c == '/') c = kPathSeparator;
    return p;
}

TEST(Paths, TheParentEndsInASeparatorAndJoinUsesThePlatformSeparator) {
    EXPECT_EQ(ParentFolder(Native("C:\\Games\\Mafia\\Mod\\")), Native("C:\\Games\\Mafia\\"));
    EXPECT_EQ(ParentFolder("D:\\"), "D");  // a drive root has only its letter above it
    EXPECT_EQ(JoinPath("mod", "interface\\options.ini"), Native("mod/interface/options.ini"));
    EXPECT_EQ(JoinPath(Native("mod/"), "DATA/"), Native("mod/DATA/"));
    EXPECT_EQ(WithTrailingSeparator(""), "");
}

}  // namespace
}  // namespace pellwise
