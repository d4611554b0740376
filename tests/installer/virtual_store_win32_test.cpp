#include <gtest/gtest.h>

#include "installer/engine/installer.h"
#include "installer/engine/ledger.h"
#include "installer/engine/restore.h"
#include "installer/engine/virtual_store.h"
#include "installer/sample/sample_game.h"
#include "installer_test_support.h"
#include "services/paths.h"
#include "tests/support/recording_message_service.h"

namespace pellwise::testing {
namespace {

// A sample game under the prefix's Program Files with old copies of its
// files in the prefix's VirtualStore, removed again at the end.
class GameUnderProgramFiles {
public:
    GameUnderProgramFiles() : folders_(SystemVirtualStoreFolders()) {
        if (folders_.LocalAppData.empty() || folders_.ProgramFiles.empty()) return;
        root_ = JoinPath(folders_.ProgramFiles[0], "Pellwise VirtualStore test\\");
        storeRoot_ = ParentFolder(VirtualStoreCopyOf(folders_, JoinPath(root_, "x")));
        Clean();
        std::string error;
        if (!GenerateSampleGame(root_, {}, game_, error)) ADD_FAILURE() << error;
    }
    ~GameUnderProgramFiles() { Clean(); }

    bool Ready() const { return !storeRoot_.empty(); }
    const SampleGame& Game() const { return game_; }
    std::string CopyOf(const std::string& path) const { return VirtualStoreCopyOf(folders_, path); }

private:
    void Clean() {
        RemovePath(root_);
        RemovePath(storeRoot_);
    }

    VirtualStoreFolders folders_;
    std::string root_;
    std::string storeRoot_;
    SampleGame game_;
};

PatchReport Install(const SampleGame& game, const std::string& mission, Answer virtualStore,
                    RecordingMessageService& messages) {
    Installer installer(game.ModDir, game.GameDir, messages);
    EXPECT_TRUE(installer.StartWizard(Answer::Yes).Ok());
    PatchOptions options{false, Answer::Yes, Answer::Yes, virtualStore};
    return installer.RunPatch({mission}, options);
}

TEST(VirtualStore, OldCopiesAreFoundMovedOnYesKeptOnNoAndPutBackByRestore) {
    const GameUnderProgramFiles under;
    ASSERT_TRUE(under.Ready()) << "the prefix names no LOCALAPPDATA or Program Files";
    const SampleGame& game = under.Game();
    const std::string dbCopy = under.CopyOf(game.TextDbPath);
    const std::string sceneCopy = under.CopyOf(game.Missions[0].ScenePath);
    const std::string untouched = under.CopyOf(game.Missions[1].ScenePath);
    for (const std::string& copy : {dbCopy, sceneCopy, untouched}) WriteFile(copy, "old copy of " + copy);

    RecordingMessageService messages;
    messages.QueueAnswer(kIdYes);
    const PatchReport yes = Install(game, game.Missions[0].Name, Answer::Ask, messages);
    ASSERT_TRUE(yes.Succeeded());
    EXPECT_EQ(yes.VirtualStoreFound.size(), 2u) << "the mission not ticked was not written";
    EXPECT_EQ(yes.VirtualStoreMoved.size(), 2u);
    ASSERT_EQ(messages.QueuedAnswers(), 0) << "asked";
    EXPECT_NE(messages.Texts().back().find(sceneCopy.substr(0, 20)), std::string::npos);
    EXPECT_EQ(ReadFile(dbCopy), "<missing>");
    EXPECT_EQ(ReadFile(sceneCopy), "<missing>");
    EXPECT_EQ(ReadFile(untouched), "old copy of " + untouched);
    EXPECT_EQ(ReadLedger(game.GameDir)->back().Moved.size(), 2u);

    const RestoreReport restored = RestoreGame(game.GameDir, {});
    ASSERT_EQ(restored.Outcome, RestoreOutcome::Restored) << restored.Text();
    EXPECT_EQ(restored.CopiesPutBack, 2);
    EXPECT_EQ(ReadFile(dbCopy), "old copy of " + dbCopy);
    EXPECT_EQ(ReadFile(sceneCopy), "old copy of " + sceneCopy);

    const PatchReport no = Install(game, game.Missions[0].Name, Answer::No, messages);
    ASSERT_TRUE(no.Succeeded());
    EXPECT_EQ(no.VirtualStoreFound.size(), 2u);
    EXPECT_TRUE(no.VirtualStoreMoved.empty());
    EXPECT_EQ(ReadFile(dbCopy), "old copy of " + dbCopy);
    EXPECT_TRUE(ReadLedger(game.GameDir)->back().Moved.empty());
}

}  // namespace
}  // namespace pellwise::testing
