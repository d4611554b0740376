#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"
#include "services/file_stream.h"
#include "services/message_service.h"

namespace pellwise {
namespace {

constexpr uint32_t kHeadSize = 6;

bool IsSectionId(uint16_t id) {
    return id == kSectionObjects || id == kSectionDefinitions || id == kSectionAE50 || id == kSectionAE02;
}

SectionList* ListFor(SceneFile& scene, uint16_t sectionId) {
    switch (sectionId) {
        case kSectionObjects:
            return &scene.Objects;
        case kSectionDefinitions:
            return &scene.Difinitions;
        case kSectionAE50:
            return &scene.SectionAE50;
        case kSectionAE02:
            return &scene.SectionAE02;
        default:
            return nullptr;
    }
}

// Reads a scene from the whole file's bytes. Every piece is checked against
// the file's end and against the total size of its head before it is taken,
// and every step moves forward by at least 6 bytes, so damaged sizes end the
// load instead of making it loop or read outside the file.
class SceneReader {
public:
    SceneReader(SceneFile& scene, std::span<const uint8_t> bytes) : scene_(scene), bytes_(bytes), reader_(bytes) {}

    enum class Result { Ok, BadSignature, Damaged };

    Result Read() {
        if (bytes_.size() < 2 || reader_.U16(0) != kSceneSignature) return Result::BadSignature;
        if (!ReadHead()) return Result::Damaged;
        while (uint64_t{pos_} + 2 < bound_)
            if (!ReadSection()) return Result::Damaged;
        // Bytes left over before the total size belong to no section and
        // would be lost on writing.
        if (pos_ != bound_) {
            Fail(pos_);
            return Result::Damaged;
        }
        scene_.TotalSize = bound_ - dropped_;
        return Result::Ok;
    }

    uint64_t FailureOffset() const { return failureOffset_; }

private:
    bool Fail(uint64_t offset) {
        failureOffset_ = offset;
        return false;
    }

    // A file head and the chunks that follow it up to the first section id.
    bool ReadHead() {
        const uint64_t headStart = pos_;
        if (!reader_.Fits(headStart, kHeadSize)) return Fail(headStart);
        const uint32_t total = reader_.U32(headStart + 2);
        if (total > bytes_.size()) return Fail(bytes_.size());
        if (total < headStart + kHeadSize) return Fail(headStart);
        bound_ = total;
        pos_ = headStart + kHeadSize;
        for (;;) {
            if (uint64_t{pos_} + 2 > bound_) return Fail(pos_);
            if (IsSectionId(reader_.U16(pos_))) return true;
            std::optional<uint32_t> size = ChunkSizeWithin(pos_, bound_);
            if (!size) return false;
            scene_.HeaderChunks.Chunks.emplace_back(bytes_.begin() + pos_, bytes_.begin() + pos_ + *size);
            pos_ += *size;
        }
    }

    bool ReadSection() {
        const uint16_t id = reader_.U16(pos_);
        if (id == kSceneSignature) {
            // A second head: only one is written back, so its 6 bytes leave the total.
            dropped_ += kHeadSize;
            return ReadHead();
        }
        const uint32_t sectionStart = pos_;
        std::optional<uint32_t> size = ChunkSizeWithin(sectionStart, bound_);
        if (!size) return false;
        SectionList* list = ListFor(scene_, id);
        if (!list) {
            scene_.UnknownSections.push_back(
                {id, std::vector<uint8_t>(bytes_.begin() + sectionStart, bytes_.begin() + sectionStart + *size)});
            pos_ += *size;
            return true;
        }
        const uint32_t sectionEnd = sectionStart + *size;
        for (pos_ = sectionStart + kHeadSize; pos_ < sectionEnd;) {
            std::optional<uint32_t> chunkSize = ChunkSizeWithin(pos_, sectionEnd);
            if (!chunkSize) return false;
            list->Chunks.emplace_back(bytes_.begin() + pos_, bytes_.begin() + pos_ + *chunkSize);
            pos_ += *chunkSize;
        }
        if (list->Size == 0) {
            list->Size = *size;
        } else {
            // The same section again: its chunks join the earlier ones under
            // one head, so the section's size grows by its chunks alone.
            list->Size += *size - kHeadSize;
            dropped_ += kHeadSize;
        }
        return true;
    }

    // The size of the chunk (or section) starting at `start`, when its head
    // and its whole body lie before `end`.
    std::optional<uint32_t> ChunkSizeWithin(uint32_t start, uint32_t end) {
        const uint32_t size = uint64_t{start} + kHeadSize <= end ? reader_.U32(start + 2) : 0;
        if (size < kHeadSize || uint64_t{start} + size > end) {
            Fail(start);
            return std::nullopt;
        }
        return size;
    }

    SceneFile& scene_;
    std::span<const uint8_t> bytes_;
    ByteReader reader_;
    uint32_t pos_ = 0;
    uint32_t bound_ = 0;
    uint32_t dropped_ = 0;
    uint64_t failureOffset_ = 0;
};

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
    FileStream file = FileStream::OpenForReading(path);
    if (!file.IsOpen()) return std::nullopt;
    std::vector<uint8_t> bytes(file.Size());
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t part = std::min<size_t>(bytes.size() - done, size_t{1} << 30);
        const int got = file.Read(bytes.data() + done, static_cast<int>(part));
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    // A file that shrank while it was read is judged by what arrived.
    bytes.resize(done);
    return bytes;
}

std::string FileLine(const SceneFile& scene) { return "\rFileName = " + scene.FileName; }

}  // namespace

bool LoadFromFile(SceneFile& scene, const std::string& path, MessageService& messages) {
    Clear(scene);
    scene.FileName = path;
    std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) {
        messages.ShowMessageBox("Scene2bin unit: Can't open file" + FileLine(scene), kMbOk | kMbIconError);
        return false;
    }
    SceneReader reader(scene, *bytes);
    switch (reader.Read()) {
        case SceneReader::Result::Ok:
            return true;
        case SceneReader::Result::BadSignature:
            messages.ShowMessageBox("Scene2bin unit: Incorrect file signature", kMbOk | kMbIconError);
            break;
        case SceneReader::Result::Damaged:
            messages.ShowMessageBox("Scene2bin unit: Damaged file" + FileLine(scene) +
                                        "\rOffset = " + std::to_string(reader.FailureOffset()),
                                    kMbOk | kMbIconError);
            break;
    }
    Clear(scene);
    return false;
}

}  // namespace pellwise
