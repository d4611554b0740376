// The main window's table is written at 96 DPI and scaled box by box. At the
// common display scales every box must still sit as it did: neighbours that
// touch still touch, boxes apart stay apart, and each stays in its parent.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "installer/gui/main_window_layout.h"
#include "window/dpi_scale.h"

namespace pellwise {
namespace {

constexpr int kScales[] = {120, 144, 168};  // 125 %, 150 %, 175 %

bool Overlap(const Box& a, const Box& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Which edges of a meet which edges of b: right to left, bottom to top, and
// the same edges lined up.
std::vector<bool> Touching(const Box& a, const Box& b) {
    return {a.Right == b.Left, b.Right == a.Left, a.Bottom == b.Top,  b.Bottom == a.Top,
            a.Left == b.Left,  a.Top == b.Top,    a.Right == b.Right, a.Bottom == b.Bottom};
}

Box At(DpiScale scale, const Place& p) { return scale.Place(p.X, p.Y, p.Width, p.Height); }

struct Group {
    Place Parent;
    std::vector<std::pair<const char*, Place>> Children;
};

std::vector<Group> Groups() {
    using namespace layout;
    return {{kClient,
             {{"label", kMissionListLabel},
              {"next", kNextButton},
              {"title", kTitleBar},
              {"page", kPage},
              {"list", kMissionList}}},
            {kTitleBar, {{"exit", kExitButton}, {"help", kHelpButton}, {"minimize", kMinimizeButton}}},
            {kPage, {{"picture", kPictureBox}}}};
}

TEST(LayoutScale, RoundsHalfAwayFromZeroAndLeaves96DpiAsWritten) {
    EXPECT_EQ(DpiScale{120}(1), 1);  // 1.25
    EXPECT_EQ(DpiScale{120}(2), 3);  // 2.5
    EXPECT_EQ(DpiScale{144}(1), 2);  // 1.5: a one-pixel border stays visible as two
    EXPECT_EQ(DpiScale{168}(1), 2);  // 1.75
    EXPECT_EQ(DpiScale{144}(-1), -2);
    EXPECT_EQ(DpiScale{120}(-1), -1);
    for (const int v : {-3, 0, 1, 13, 205, 633}) EXPECT_EQ(DpiScale{96}(v), v);
    // The window at 150 %: 633 x 505 becomes 950 x 758, Next 137 x 31 at (480, 426) is 206 x 47.
    EXPECT_EQ(At({144}, layout::kClient), (Box{0, 0, 950, 758}));
    EXPECT_EQ(At({144}, layout::kNextButton), (Box{720, 639, 926, 686}));
    EXPECT_EQ(At({120}, layout::kNextButton), (Box{600, 533, 771, 571}));
    EXPECT_EQ(At({168}, layout::kNextButton), (Box{840, 746, 1080, 800}));
}

TEST(LayoutScale, NeighboursStillMeetNothingNewOverlapsAndEveryBoxStaysInItsParent) {
    for (const int dpi : kScales) {
        const DpiScale scale{dpi};
        for (const Group& group : Groups()) {
            const Box parent = At(scale, {0, 0, group.Parent.Width, group.Parent.Height});
            for (size_t i = 0; i < group.Children.size(); ++i) {
                const auto& [name, place] = group.Children[i];
                const Box box = At(scale, place);
                EXPECT_TRUE(box.Left >= 0 && box.Top >= 0 && box.Right <= parent.Right && box.Bottom <= parent.Bottom)
                    << name << " at " << dpi;
                for (size_t j = i + 1; j < group.Children.size(); ++j) {
                    const auto& [otherName, otherPlace] = group.Children[j];
                    const Box base = At({}, place);
                    const Box other = At({}, otherPlace);
                    const Box scaled = At(scale, otherPlace);
                    EXPECT_EQ(Overlap(box, scaled), Overlap(base, other)) << name << "/" << otherName << " at " << dpi;
                    EXPECT_EQ(Touching(box, scaled), Touching(base, other))
                        << name << "/" << otherName << " at " << dpi;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pellwise
