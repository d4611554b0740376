#include <algorithm>
#include <iterator>
#include <optional>
#include <span>
#include <string>

#include "gamedata/byte_reader.h"
#include "gamedata/forward_reader.h"
#include "gamedata/scene_file.h"
#include "services/file_stream.h"
#include "services/message_service.h"
#include "services/system_error.h"

namespace pellwise {
namespace {

bool IsSectionId(uint16_t id) {
    return std::any_of(std::begin(kKnownSections), std::end(kKnownSections),
                       [id](const KnownSection& known) { return known.Id == id; });
}

SectionList* ListFor(SceneFile& scene, uint16_t sectionId) {
    for (const KnownSection& known : kKnownSections)
        if (known.Id == sectionId) return &(scene.*known.List);
    return nullptr;
}

// Reads a scene straight from the file into its blocks, front to back, so
// that no copy of the whole file is ever held. Every piece is checked against
// the file's end and against the total size of its head before it is taken,
// and every step moves forward by at least 6 bytes, so damaged sizes end the
// load instead of making it loop or read outside the file.
class SceneReader {
public:
    SceneReader(SceneFile& scene, FileStream& file) : scene_(scene), input_(file), size_(file.Size()) {}

    enum class Result { Ok, BadSignature, Damaged };

    Result Read() {
        if (size_ < 2 || U16(0) != kSceneSignature) return Result::BadSignature;
        if (!ReadHead()) return Result::Damaged;
        while (uint64_t{pos_} + 2 < bound_)
            if (!ReadSection()) return Result::Damaged;
        // Bytes left over before the total size belong to no section and
        // would be lost on writing.
        if (pos_ != bound_) {
            Fail(pos_);
            return Result::Damaged;
        }
        if (size_ > bound_ && !TakeBlock(bound_, size_ - bound_, scene_.Trailing)) return Result::Damaged;
        scene_.TotalSize = bound_ - dropped_;
        scene_.FileSize = size_;
        scene_.Read = input_.Read();
        return Result::Ok;
    }

    uint64_t FailureOffset() const { return failureOffset_; }

private:
    bool Fail(uint64_t offset) {
        failureOffset_ = offset;
        return false;
    }

    // The head (up to 6 bytes) at `offset`. Every step of the reader starts
    // where the last one ended, so the offset is always the input's position.
    std::span<const uint8_t> Head(uint32_t offset) {
        if (offset != input_.Position()) return {};
        return input_.Peek(kChunkHeadSize);
    }

    // Little-endian fields of a head; 0 where the file ends early, which
    // every caller takes as damage or a wrong signature.
    uint16_t U16(uint32_t offset) { return ByteReader(Head(offset)).U16(0); }
    uint32_t SizeField(uint32_t start) { return ByteReader(Head(start)).U32(2); }

    // The `size` bytes at `start` as one block. A file that shrank while it
    // was read ends here.
    bool TakeBlock(uint32_t start, uint32_t size, Block& block) {
        return (start == input_.Position() && input_.Take(size, block)) || Fail(start);
    }

    // Steps over the head of the file or of a section at `start`.
    bool SkipHead(uint32_t start) { return (start == input_.Position() && input_.Skip(kChunkHeadSize)) || Fail(start); }

    // A file head and the chunks that follow it up to the first section id.
    bool ReadHead() {
        const uint32_t headStart = pos_;
        if (uint64_t{headStart} + kChunkHeadSize > size_) return Fail(headStart);
        const uint32_t total = SizeField(headStart);
        if (total > size_) return Fail(size_);
        if (total < uint64_t{headStart} + kChunkHeadSize) return Fail(headStart);
        if (!SkipHead(headStart)) return false;
        bound_ = total;
        pos_ = headStart + kChunkHeadSize;
        for (;;) {
            if (uint64_t{pos_} + 2 > bound_) return Fail(pos_);
            if (IsSectionId(U16(pos_))) return true;
            std::optional<uint32_t> size = ChunkSizeWithin(pos_, bound_);
            if (!size || !TakeBlock(pos_, *size, scene_.HeaderChunks.Chunks.emplace_back())) return false;
            pos_ += *size;
        }
    }

    bool ReadSection() {
        const uint16_t id = U16(pos_);
        if (id == kSceneSignature) {
            // A second head: only one is written back, so its 6 bytes leave the total.
            dropped_ += kChunkHeadSize;
            return ReadHead();
        }
        const uint32_t sectionStart = pos_;
        std::optional<uint32_t> size = ChunkSizeWithin(sectionStart, bound_);
        if (!size) return false;
        SectionList* list = ListFor(scene_, id);
        if (!list) {
            RawSection& section = scene_.UnknownSections.emplace_back();
            section.Id = id;
            if (!TakeBlock(sectionStart, *size, section.Bytes)) return false;
            pos_ += *size;
            return true;
        }
        const uint32_t sectionEnd = sectionStart + *size;
        if (!SkipHead(sectionStart)) return false;
        for (pos_ = sectionStart + kChunkHeadSize; pos_ < sectionEnd;) {
            std::optional<uint32_t> chunkSize = ChunkSizeWithin(pos_, sectionEnd);
            if (!chunkSize || !TakeBlock(pos_, *chunkSize, list->Chunks.emplace_back())) return false;
            pos_ += *chunkSize;
        }
        if (list->Size == 0) {
            list->Size = *size;
        } else {
            // The same section again: its chunks join the earlier ones under
            // one head, so the section's size grows by its chunks alone.
            list->Size += *size - kChunkHeadSize;
            dropped_ += kChunkHeadSize;
        }
        return true;
    }

    // The size of the chunk (or section) starting at `start`, when its head
    // and its whole body lie before `end`.
    std::optional<uint32_t> ChunkSizeWithin(uint32_t start, uint32_t end) {
        const uint32_t size = uint64_t{start} + kChunkHeadSize <= end ? SizeField(start) : 0;
        if (size < kChunkHeadSize || uint64_t{start} + size > end) {
            Fail(start);
            return std::nullopt;
        }
        return size;
    }

    SceneFile& scene_;
    ForwardReader input_;
    uint32_t size_;
    uint32_t pos_ = 0;
    uint32_t bound_ = 0;
    uint32_t dropped_ = 0;
    uint64_t failureOffset_ = 0;
};

}  // namespace

bool LoadFromFile(SceneFile& scene, const std::string& path, FileError& error) {
    Clear(scene);
    scene.FileName = path;
    error = {FileErrorKind::None, GameFileKind::Scene, path, 0, {}};
    FileStream file = FileStream::OpenForReading(path);
    if (!file.IsOpen()) {
        error.Kind = FileErrorKind::CannotOpen;
        error.Reason = LastSystemError(path);
        return false;
    }
    SceneReader reader(scene, file);
    switch (reader.Read()) {
        case SceneReader::Result::Ok:
            return true;
        case SceneReader::Result::BadSignature:
            error.Kind = FileErrorKind::BadSignature;
            break;
        case SceneReader::Result::Damaged:
            error.Kind = FileErrorKind::Damaged;
            error.Offset = reader.FailureOffset();
            break;
    }
    Clear(scene);
    return false;
}

bool LoadFromFile(SceneFile& scene, const std::string& path, MessageService& messages) {
    return ShowingFileError(messages, [&](FileError& error) { return LoadFromFile(scene, path, error); });
}

}  // namespace pellwise
