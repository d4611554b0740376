#include "services/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace pellwise {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(AtomicFile, CreatesOrReplacesTheFileOverAStaleTemporaryUnlessOnlyAnExistingOneMayBeWritten) {
    TempFolder folder;
    const std::string path = folder.Path("textdb_ru.def");
    EXPECT_EQ(WriteFileAtomically(path, "x", {AtomicWriteMode::ExistingOnly}), AtomicWriteStatus::TargetMissing);
    EXPECT_FALSE(Exists(path));
    WriteBytes(TemporaryPathFor(path), "half a file a killed run left");
    EXPECT_EQ(WriteFileAtomically(path, std::string("old\0\x01 and longer", 17)), AtomicWriteStatus::Ok);
    EXPECT_EQ(WriteFileAtomically(path, "new", {AtomicWriteMode::ExistingOnly}), AtomicWriteStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "new");
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

// A staged file is written under its own name; its digest is that of the
// bytes on the disk, pieces larger than the sink's buffer included; a flush
// later keeps it as it is; a failed one is gone.
TEST(AtomicFile, AStagedFileIsWrittenInPlaceHashedAndFlushedLaterOrRemoved) {
    TempFolder folder;
    const std::string path = folder.Path("~pw0.pellwise-stage");
    const std::string large(3 * 1024 * 1024 + 17, 'L');
    const FileContent content{large.size() + 7, [&large](AtomicFileSink& sink) {
                                  return sink.Put("head") && sink.Put(large) && sink.Put("end");
                              }};
    FileDigest written;
    ASSERT_EQ(StreamStagedFile(path, content, written), AtomicWriteStatus::Ok);
    EXPECT_FALSE(Exists(TemporaryPathFor(path)));
    EXPECT_EQ(DigestOfFile(path), std::optional<FileDigest>(written));
    EXPECT_TRUE(FlushWrittenFile(path));
    EXPECT_EQ(ReadBytes(path), "head" + large + "end");
    EXPECT_FALSE(FlushWrittenFile(folder.Path("missing")));

    const std::string copy = folder.Path("~pw1.pellwise-stage");
    FileDigest copied;
    ASSERT_EQ(CopyToStagedFile(path, copy, copied), AtomicWriteStatus::Ok);
    EXPECT_EQ(copied, written);
    EXPECT_EQ(ReadBytes(copy), "head" + large + "end");

    for (const InjectedFault fault : {InjectedFault::Write, InjectedFault::Flush}) {
        EXPECT_EQ(StreamStagedFile(path, content, written, fault), AtomicWriteStatus::WriteFailed);
        EXPECT_FALSE(Exists(path));
    }
    const FileContent shortOne{10, [](AtomicFileSink& sink) { return sink.Put("12345"); }};
    EXPECT_EQ(StreamStagedFile(path, shortOne, written), AtomicWriteStatus::WriteFailed);
    EXPECT_FALSE(Exists(path));
}

// A read-only file is the player's choice, and a folder is not ours to replace.
TEST(AtomicFile, AReadOnlyTargetOrAFolderInThePlaceOfTheTargetIsLeftAlone) {
    TempFolder folder;
    const std::string readOnly = folder.Path("game.bin");
    WriteBytes(readOnly, "protected");
    testing::MakeReadOnly(readOnly);
    EXPECT_EQ(WriteFileAtomically(readOnly, "x"), AtomicWriteStatus::TargetReadOnly);
    EXPECT_EQ(ReadBytes(readOnly), "protected");

    const std::string target = folder.Path("MISSIONS");
    std::filesystem::create_directory(target);
    WriteBytes(folder.Path("MISSIONS/keep.txt"), "inside");
    EXPECT_EQ(WriteFileAtomically(target, "x"), AtomicWriteStatus::ReplaceFailed);
    EXPECT_EQ(WriteFileAtomically(target, "x", {AtomicWriteMode::ExistingOnly}), AtomicWriteStatus::TargetMissing);
    EXPECT_EQ(ReadBytes(folder.Path("MISSIONS/keep.txt")), "inside");
    for (const std::string& path : {readOnly, target}) EXPECT_FALSE(Exists(TemporaryPathFor(path)));
}

}  // namespace
}  // namespace pellwise
