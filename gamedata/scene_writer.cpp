#include <algorithm>
#include <string>

#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"
#include "services/message_service.h"

namespace pellwise {
namespace {

constexpr uint32_t kHeadSize = 6;

// Lays the scene out in one buffer, so that writing it costs a few system
// calls. Before anything reaches the disk the layout is checked against the
// sizes the model carries: a file whose size fields disagree with its content
// would be misread by the game, so such a scene is not written at all.
class SceneSerializer {
public:
    explicit SceneSerializer(const SceneFile& scene) : scene_(scene) {}

    bool Serialize() {
        uint32_t total = scene_.TotalSize;
        // An emptied 0xAE02 section is left out, and with it its head.
        if (scene_.SectionAE02.Count() == 0) total -= scene_.SectionAE02.Size;
        out_.reserve(std::min<uint64_t>(total, UpperBound()));
        PutHead(kSceneSignature, total);
        ok_ = PutChunks(scene_.HeaderChunks);
        PutSection(kSectionObjects, scene_.Objects);
        PutSection(kSectionDefinitions, scene_.Difinitions);
        if (scene_.SectionAE02.Count() > 0) PutSection(kSectionAE02, scene_.SectionAE02);
        PutSection(kSectionAE50, scene_.SectionAE50);
        for (const RawSection& section : scene_.UnknownSections)
            out_.append(section.Bytes.begin(), section.Bytes.end());
        return ok_ && out_.size() == total;
    }

    const std::string& Bytes() const { return out_; }

private:
    uint64_t UpperBound() const {
        uint64_t bytes = 5 * kHeadSize;
        for (const SectionList* list :
             {&scene_.HeaderChunks, &scene_.Objects, &scene_.Difinitions, &scene_.SectionAE02, &scene_.SectionAE50})
            for (const Block& block : list->Chunks) bytes += block.size();
        for (const RawSection& section : scene_.UnknownSections) bytes += section.Bytes.size();
        return bytes;
    }

    void PutHead(uint16_t id, uint32_t size) {
        uint8_t head[kHeadSize];
        PutU16(head, id);
        PutU32(head + 2, size);
        out_.append(reinterpret_cast<const char*>(head), kHeadSize);
    }

    // A section the file did not have, and that is still empty, is not written.
    void PutSection(uint16_t id, const SectionList& list) {
        if (list.Size == 0 && list.Count() == 0) return;
        const size_t start = out_.size();
        PutHead(id, list.Size);
        if (!PutChunks(list) || out_.size() - start != list.Size) ok_ = false;
    }

    bool PutChunks(const SectionList& list) {
        for (const Block& block : list.Chunks) {
            const uint32_t size = ChunkSize(block);
            if (size < kHeadSize || size > block.size()) return false;
            out_.append(reinterpret_cast<const char*>(block.data()), size);
        }
        return true;
    }

    const SceneFile& scene_;
    std::string out_;
    bool ok_ = true;
};

}  // namespace

bool SaveToFile(const SceneFile& scene, const std::string& path, MessageService& messages, InjectedFault fault) {
    SceneSerializer serializer(scene);
    AtomicWriteOptions options;
    options.fault = fault;
    if (serializer.Serialize() && WriteFileAtomically(path, serializer.Bytes(), options) == AtomicWriteStatus::Ok)
        return true;
    messages.ShowMessageBox("Scene2bin unit: Can't write file\rFileName = " + path, kMbOk | kMbIconError);
    return false;
}

}  // namespace pellwise
