#include "services/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "services/file_system.h"
#include "temp_folder.h"

namespace pellwise {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(AtomicFile, CreatesOrReplacesTheFileUnlessOnlyAnExistingOneMayBeWritten) {
    TempFolder folder;
    const std::string path = folder.Path("textdb_ru.def");
    EXPECT_EQ(WriteFileAtomically(path, "x", {AtomicWriteMode::ExistingOnly}), AtomicWriteStatus::TargetMissing);
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(WriteFileAtomically(path, std::string("old\0\x01 and longer", 17)), AtomicWriteStatus::Ok);
    EXPECT_EQ(ReadBytes(path), std::string("old\0\x01 and longer", 17));
    EXPECT_EQ(WriteFileAtomically(path, "", {AtomicWriteMode::ExistingOnly}), AtomicWriteStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

TEST(AtomicFile, EveryFailingStageAndEveryWrongSizeKeepsTheOldFileAndRemovesTheTemporary) {
    auto putting = [](std::string content, bool result) {
        return [content, result](AtomicFileSink& sink) { return sink.Put(content) && result; };
    };
    const struct {
        const char* what;
        ContentWriter stream;  // none: the content is written whole
        InjectedFault fault;
        AtomicWriteStatus status;
    } cases[] = {
        {"create", nullptr, InjectedFault::Create, AtomicWriteStatus::WriteFailed},
        {"write", nullptr, InjectedFault::Write, AtomicWriteStatus::WriteFailed},
        {"flush", nullptr, InjectedFault::Flush, AtomicWriteStatus::WriteFailed},
        {"replace", nullptr, InjectedFault::Replace, AtomicWriteStatus::ReplaceFailed},
        {"streamed short", putting("1234", true), InjectedFault::None, AtomicWriteStatus::WriteFailed},
        {"streamed over", putting("1234567", true), InjectedFault::None, AtomicWriteStatus::WriteFailed},
        {"streamed abandoned", putting("12345", false), InjectedFault::None, AtomicWriteStatus::WriteFailed},
        {"streamed write", putting("12345", true), InjectedFault::Write, AtomicWriteStatus::WriteFailed},
        {"streamed flush", putting("12345", true), InjectedFault::Flush, AtomicWriteStatus::WriteFailed},
    };
    TempFolder folder;
    const std::string path = folder.Path("scene2.bin");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(path, "the old scene");
        const AtomicWriteOptions options{AtomicWriteMode::ExistingOnly, c.fault};
        EXPECT_EQ(
            c.stream ? StreamFileAtomically(path, 5, c.stream, options) : WriteFileAtomically(path, "12345", options),
            c.status);
        EXPECT_EQ(ReadBytes(path), "the old scene");
        EXPECT_FALSE(Exists(TemporaryPathFor(path)));
    }
}

TEST(AtomicFile, AReadOnlyTargetIsReportedAndNotForced) {
    TempFolder folder;
    const std::string path = folder.Path("game.bin");
    WriteBytes(path, "protected");
    testing::MakeReadOnly(path);
    EXPECT_EQ(WriteFileAtomically(path, "x"), AtomicWriteStatus::TargetReadOnly);
    EXPECT_EQ(ReadBytes(path), "protected");
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

TEST(AtomicFile, AFolderInThePlaceOfTheTargetOrItsParentIsLeftAlone) {
    TempFolder folder;
    const std::string target = folder.Path("MISSIONS");
    std::filesystem::create_directory(target);
    WriteBytes(folder.Path("MISSIONS/keep.txt"), "inside");
    EXPECT_EQ(WriteFileAtomically(target, "x"), AtomicWriteStatus::ReplaceFailed);
    EXPECT_EQ(WriteFileAtomically(target, "x", {AtomicWriteMode::ExistingOnly}), AtomicWriteStatus::TargetMissing);
    EXPECT_TRUE(DirectoryExists(target));
    EXPECT_EQ(ReadBytes(folder.Path("MISSIONS/keep.txt")), "inside");

    const std::string parentIsFile = folder.Path("tables");
    WriteBytes(parentIsFile, "a file");
    EXPECT_EQ(WriteFileAtomically(folder.Path("tables/version.txt"), "x"), AtomicWriteStatus::WriteFailed);
    EXPECT_EQ(ReadBytes(parentIsFile), "a file");
    for (const std::string& path : {target, parentIsFile}) EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

TEST(AtomicFile, AStaleTemporaryFromAKilledRunIsReplacedOrRemoved) {
    TempFolder folder;
    const std::string path = folder.Path("scene2.bin");
    WriteBytes(TemporaryPathFor(path), "half a scene");
    EXPECT_EQ(WriteFileAtomically(path, "whole"), AtomicWriteStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "whole");
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));

    WriteBytes(TemporaryPathFor(path), "half a scene");
    RemoveStaleTemporary(path);
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));
    EXPECT_EQ(ReadBytes(path), "whole");
}

// Pieces of every size, some crossing the sink's buffer and one larger than
// it, land in order.
TEST(StreamedAtomicFile, PiecesOfAnySizeLandWholeAndInOrder) {
    TempFolder folder;
    const std::string path = folder.Path("scene2.bin");
    WriteBytes(path, "old");
    std::vector<std::string> pieces;
    for (size_t size : {size_t{1}, size_t{5}, size_t{70000}, size_t{0}, size_t{1500000}, size_t{3}})
        for (int i = 0; i < (size > 100000 ? 1 : 20); ++i)
            pieces.push_back(std::string(size, static_cast<char>('a' + pieces.size() % 26)));
    std::string expected;
    for (const std::string& piece : pieces) expected += piece;
    const ContentWriter write = [&pieces](AtomicFileSink& sink) {
        for (const std::string& piece : pieces)
            if (!sink.Put(piece)) return false;
        return true;
    };
    EXPECT_EQ(StreamFileAtomically(path, expected.size(), write), AtomicWriteStatus::Ok);
    EXPECT_TRUE(ReadBytes(path) == expected);
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

}  // namespace
}  // namespace pellwise
