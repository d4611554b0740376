#include "gamedata/file_error.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/object_import.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "tests/gamedata/scene_test_support.h"

namespace pellwise {
namespace {

using namespace scene_test;

TEST(FileErrorText, EachErrorReadsAsTheMessageItStandsFor) {
    const std::string path = "C:\\Game\\scene2.bin";
    auto text = [&](GameFileKind file, FileErrorKind kind, uint64_t offset = 0, SystemError reason = {}) {
        return FileErrorText({kind, file, path, offset, reason}).Bytes();
    };
    EXPECT_EQ(text(GameFileKind::Scene, FileErrorKind::CannotOpen),
              "Scene2bin unit: Can't open file\rFileName = " + path);
    EXPECT_EQ(text(GameFileKind::Scene, FileErrorKind::BadSignature), "Scene2bin unit: Incorrect file signature");
    EXPECT_EQ(text(GameFileKind::Scene, FileErrorKind::Damaged, 4294967302),
              "Scene2bin unit: Damaged file\rFileName = " + path + "\rOffset = 4294967302");
    EXPECT_EQ(text(GameFileKind::Scene, FileErrorKind::CannotWrite),
              "Scene2bin unit: Can't write file\rFileName = " + path);
    EXPECT_EQ(text(GameFileKind::TextDb, FileErrorKind::Damaged, 20), "IO error");
    EXPECT_EQ(text(GameFileKind::ObjectFile, FileErrorKind::Damaged), "Damaged object file: " + path);
    EXPECT_EQ(text(GameFileKind::TextDb, FileErrorKind::CannotWrite, 0, {ReasonKind::NoSpace, path, "Disk full"}),
              "IO error\rReason = no space left on the disk (Disk full)");
    // A failure the system named no better still says which way it failed.
    EXPECT_EQ(text(GameFileKind::TextDb, FileErrorKind::CannotOpen, 0, {ReasonKind::Other, path, {}}),
              "IO error\rReason = could not be read");
    EXPECT_EQ(FileErrorText({}).Bytes(), "");
}

TEST(FileErrorText, PathsAndTheSystemsWordsStaySystemNames) {
    const MessageText text = FileErrorText(
        {FileErrorKind::CannotOpen, GameFileKind::Scene, "p", 0, {ReasonKind::AccessDenied, "p", "Zugriff"}});
    std::vector<bool> names;
    for (const MessageText::Part& part : text.Parts()) names.push_back(part.IsName);
    EXPECT_EQ(names, (std::vector<bool>{false, true, false, true}));
}

TEST(FileErrorReason, SaysWhyInPlainWords) {
    EXPECT_EQ(FileErrorReason({FileErrorKind::Damaged, GameFileKind::Scene, "p", 24, {}}), "damaged at offset 24");
    EXPECT_EQ(FileErrorReason({FileErrorKind::BadSignature, GameFileKind::Scene, "p", 0, {}}),
              "not a scene file (wrong signature)");
    EXPECT_EQ(FileErrorReason({FileErrorKind::CannotOpen, GameFileKind::Scene, "p", 0, {ReasonKind::Locked, "p", {}}}),
              "locked by another program");
    EXPECT_EQ(FileErrorReason({FileErrorKind::CannotWrite, GameFileKind::Scene, "p", 0, {}}), "");
}

// Each kind of failure these machines can make, through the readers and
// writers that meet it in a run.
class SystemFailures : public GameContextTest {
protected:
    SceneFile LoadedScene() {
        SceneFile scene;
        EXPECT_TRUE(
            LoadFromFile(scene, Write("scene2.bin", SceneBytes(Section(kSectionObjects, {Object("a")}))), messages_));
        return scene;
    }
};

TEST_F(SystemFailures, AMissingFileIsNotFoundForEveryReader) {
    SceneFile scene;
    FileError error;
    EXPECT_FALSE(LoadFromFile(scene, PathOf("missing.bin"), error));
    EXPECT_EQ(error.Kind, FileErrorKind::CannotOpen);
    EXPECT_EQ(error.Reason.Kind, ReasonKind::NotFound);
    TextDB db;
    EXPECT_FALSE(Load(db, PathOf("missing.def"), error));
    EXPECT_EQ(error.Reason.Kind, ReasonKind::NotFound);
    EXPECT_FALSE(Save(db, PathOf("missing.def"), error));
    EXPECT_EQ(FileErrorText(error).Bytes(), "IO error\rReason = not found");
    const ObjectFileLoad load = LoadObjectFile(scene, PathOf("missing.dnc"), context);
    EXPECT_EQ(load.Error.Kind, FileErrorKind::CannotOpen);
    EXPECT_EQ(load.Error.Reason.Kind, ReasonKind::NotFound);
    EXPECT_EQ(messages_.Count(), 0);
}

TEST_F(SystemFailures, DamageIsGivenWithItsOffset) {
    TextDB db;
    FileError error;
    // The second record points past the end: its offset field is at 20.
    const Bytes file = Join({Le32(2), Le32(0), Le32(1), Le32(24), Le32(2), Le32(99), Sz("ok")});
    EXPECT_FALSE(Load(db, Write("damaged.def", file), error));
    EXPECT_EQ(error.Kind, FileErrorKind::Damaged);
    EXPECT_EQ(error.Offset, 20u);
    SceneFile store;
    const ObjectFileLoad load = LoadObjectFile(store, Write("cut.dnc", {0x10, 0x40, 99, 0, 0, 0}), context);
    EXPECT_EQ(FileErrorReason(load.Error), "damaged at offset 2");
    ExpectOneError("Damaged object file: " + PathOf("cut.dnc"));
}

TEST_F(SystemFailures, AReadOnlySceneIsReportedReadOnly) {
    const SceneFile scene = LoadedScene();
    namespace fs = std::filesystem;
    fs::permissions(PathOf("scene2.bin"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    FileError error;
    EXPECT_FALSE(SaveToFile(scene, PathOf("scene2.bin"), error));
    fs::permissions(PathOf("scene2.bin"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(error.Kind, FileErrorKind::CannotWrite);
    EXPECT_EQ(error.Reason.Kind, ReasonKind::ReadOnly);
    EXPECT_EQ(FileErrorReason(error), "read-only");
}

#ifndef _WIN32
// Windows ignores the read-only mark of a folder, and takes long names
// through other limits than a file system's own.
TEST_F(SystemFailures, AReadOnlyFolderIsReportedReadOnly) {
    const SceneFile scene = LoadedScene();
    namespace fs = std::filesystem;
    fs::create_directory(PathOf("locked"));
    fs::permissions(PathOf("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    FileError error;
    // Root may write there all the same; the refusal is made, the reason found.
    EXPECT_FALSE(SaveToFile(scene, PathOf("locked/scene2.bin"), error, InjectedFault::Create));
    fs::permissions(PathOf("locked"), fs::perms::owner_all);
    EXPECT_EQ(error.Reason.Kind, ReasonKind::ReadOnly);
}

TEST_F(SystemFailures, ANameTooLongIsReportedSo) {
    const SceneFile scene = LoadedScene();
    const std::string path = PathOf(std::string(300, 'n') + ".bin");
    FileError error;
    SceneFile other;
    EXPECT_FALSE(LoadFromFile(other, path, error));
    EXPECT_EQ(error.Reason.Kind, ReasonKind::NameTooLong);
    EXPECT_FALSE(SaveToFile(scene, path, error));
    EXPECT_EQ(error.Reason.Kind, ReasonKind::NameTooLong);
}

TEST_F(SystemFailures, AFolderWhereTheSceneShouldBeIsAccessDenied) {
    std::filesystem::create_directory(PathOf("scene2.bin"));
    SceneFile scene;
    FileError error;
    EXPECT_FALSE(LoadFromFile(scene, PathOf("scene2.bin"), error));
    EXPECT_EQ(error.Reason.Kind, ReasonKind::AccessDenied);
}
#endif

}  // namespace
}  // namespace pellwise
