#include <optional>
#include <string>

#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"
#include "services/message_service.h"

namespace pellwise {
namespace {

// Writes the scene through a sink, chunk by chunk, without laying the file
// out in memory first. Before anything reaches the disk the model is checked
// against the sizes it carries: a file whose size fields disagree with its
// content would be misread by the game, so such a scene is not written at all.
class SceneWriter {
public:
    explicit SceneWriter(const SceneFile& scene) : scene_(scene) {}

    // The size of the file, when every block holds its size field, every
    // section's chunks add up to the size it carries and all of it to the
    // total; nothing otherwise.
    std::optional<uint32_t> CheckedTotal() const {
        std::optional<uint64_t> bytes = ChunksSize(scene_.HeaderChunks);
        if (!bytes) return std::nullopt;
        *bytes += kChunkHeadSize;
        for (const KnownSection& section : kKnownSections) {
            if (!Written(section)) continue;
            const SectionList& list = scene_.*section.List;
            const std::optional<uint64_t> chunks = ChunksSize(list);
            if (!chunks || *chunks + kChunkHeadSize != list.Size) return std::nullopt;
            *bytes += list.Size;
        }
        for (const RawSection& section : scene_.UnknownSections) *bytes += section.Bytes.size();
        if (*bytes != Total()) return std::nullopt;
        return Total();
    }

    bool Write(AtomicFileSink& sink) const {
        if (!PutHead(sink, kSceneSignature, Total()) || !PutChunks(sink, scene_.HeaderChunks)) return false;
        for (const KnownSection& section : kKnownSections) {
            if (!Written(section)) continue;
            const SectionList& list = scene_.*section.List;
            if (!PutHead(sink, section.Id, list.Size) || !PutChunks(sink, list)) return false;
        }
        for (const RawSection& section : scene_.UnknownSections)
            if (!sink.Put(section.Bytes.data(), section.Bytes.size())) return false;
        return scene_.Trailing.empty() || sink.Put(scene_.Trailing.data(), scene_.Trailing.size());
    }

private:
    // An emptied 0xAE02 section is left out, and with it its head.
    uint32_t Total() const {
        uint32_t total = scene_.TotalSize;
        if (scene_.SectionAE02.Count() == 0) total -= scene_.SectionAE02.Size;
        return total;
    }

    // A section the file did not have, and that is still empty, is not
    // written; nor is an emptied 0xAE02 section.
    bool Written(const KnownSection& section) const {
        const SectionList& list = scene_.*section.List;
        if (section.Id == kSectionAE02 && list.Count() == 0) return false;
        return list.Size != 0 || list.Count() != 0;
    }

    static std::optional<uint64_t> ChunksSize(const SectionList& list) {
        uint64_t bytes = 0;
        for (const Block& block : list.Chunks) {
            const uint32_t size = ChunkSize(block);
            if (size < kChunkHeadSize || size > block.size()) return std::nullopt;
            bytes += size;
        }
        return bytes;
    }

    static bool PutHead(AtomicFileSink& sink, uint16_t id, uint32_t size) {
        uint8_t head[kChunkHeadSize];
        PutU16(head, id);
        PutU32(head + 2, size);
        return sink.Put(head, kChunkHeadSize);
    }

    static bool PutChunks(AtomicFileSink& sink, const SectionList& list) {
        for (const Block& block : list.Chunks)
            if (!sink.Put(block.data(), ChunkSize(block))) return false;
        return true;
    }

    const SceneFile& scene_;
};

}  // namespace

std::optional<FileContent> SceneContent(const SceneFile& scene) {
    const SceneWriter writer(scene);
    const std::optional<uint32_t> total = writer.CheckedTotal();
    if (!total) return std::nullopt;
    return FileContent{*total + scene.Trailing.size(), [writer](AtomicFileSink& sink) { return writer.Write(sink); }};
}

bool SaveToFile(const SceneFile& scene, const std::string& path, FileError& error, InjectedFault fault) {
    AtomicWriteOptions options;
    options.fault = fault;
    error = {FileErrorKind::None, GameFileKind::Scene, path, 0, {}};
    const std::optional<FileContent> content = SceneContent(scene);
    const AtomicWriteStatus status =
        content ? StreamFileAtomically(path, content->Size, content->Write, options) : AtomicWriteStatus::WriteFailed;
    if (status == AtomicWriteStatus::Ok) return true;
    error.Kind = FileErrorKind::CannotWrite;
    // A model whose sizes disagree is no fault of the system's.
    if (content) error.Reason = WriteFailureReason(path);
    return false;
}

bool SaveToFile(const SceneFile& scene, const std::string& path, MessageService& messages, InjectedFault fault) {
    return ShowingFileError(messages, [&](FileError& error) { return SaveToFile(scene, path, error, fault); });
}

}  // namespace pellwise
