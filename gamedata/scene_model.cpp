#include <algorithm>

#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"

namespace pellwise {
namespace {

constexpr uint16_t kNestedNameChunk = 0x0010;
constexpr uint32_t kChunkHeadSize = 6;
constexpr uint32_t kSectionHeadSize = 6;
const char kNoName[] = "NoName";

// The bytes a chunk's fields may be read from: its own size, and never more
// than the block holds.
std::span<const uint8_t> ChunkBytes(const Block& block) {
    return std::span<const uint8_t>(block.data(), std::min<size_t>(block.size(), ChunkSize(block)));
}

// The name field: up to the first NUL, at most `length` bytes, cut where the
// chunk ends.
std::string NameAt(std::span<const uint8_t> bytes, uint64_t offset, uint64_t length) {
    if (offset >= bytes.size()) return {};
    const uint64_t available = std::min<uint64_t>(length, bytes.size() - offset);
    const auto* first = reinterpret_cast<const char*>(bytes.data() + offset);
    const auto* last = std::find(first, first + available, '\0');
    return std::string(first, last);
}

uint64_t LengthLessHead(uint32_t size) { return size > kChunkHeadSize ? size - kChunkHeadSize : 0; }

std::string ObjectName(std::span<const uint8_t> bytes) {
    ByteReader reader(bytes);
    uint64_t nameChunk = kChunkHeadSize;
    if (reader.U16(nameChunk) != kNestedNameChunk) nameChunk += reader.U32(nameChunk + 2);
    return NameAt(bytes, nameChunk + kChunkHeadSize, LengthLessHead(reader.U32(nameChunk + 2)));
}

std::string DefinitionName(std::span<const uint8_t> bytes) {
    ByteReader reader(bytes);
    return NameAt(bytes, 12, LengthLessHead(reader.U32(8)));
}

std::string AE51Name(std::span<const uint8_t> bytes) {
    ByteReader reader(bytes);
    return NameAt(bytes, 11, reader.U32(7));
}

}  // namespace

void ClearList(SectionList& list) {
    list.Chunks.clear();
    list.Chunks.shrink_to_fit();
    list.Size = 0;
}

void Clear(SceneFile& scene) {
    ClearList(scene.HeaderChunks);
    ClearList(scene.Objects);
    ClearList(scene.Difinitions);
    ClearList(scene.SectionAE02);
    ClearList(scene.SectionAE50);
    scene.UnknownSections.clear();
    scene.Trailing.clear();
    scene.TotalSize = 0;
    scene.FileSize = 0;
}

uint32_t ChunkSize(const Block& block) { return ByteReader(block).U32(2); }

std::string ChunkName(const Block& block) {
    const std::span<const uint8_t> bytes = ChunkBytes(block);
    switch (ByteReader(bytes).U16(0)) {
        case kChunkObject:
            return ObjectName(bytes);
        case kChunkDefinition:
            return DefinitionName(bytes);
        case kChunkAE51:
            return AE51Name(bytes);
        default:
            return kNoName;
    }
}

int FindByName(const SectionList& list, const std::string& name) {
    for (int i = 0; i < list.Count(); ++i)
        if (ChunkName(list.Chunks[i]) == name) return i;
    return -1;
}

void RemoveChunk(SceneFile& scene, SectionList& list, int index) {
    if (index < 0 || index >= list.Count()) return;
    const uint32_t size = ChunkSize(list.Chunks[index]);
    list.Chunks.erase(list.Chunks.begin() + index);
    list.Size -= size;
    scene.TotalSize -= size;
}

bool AppendChunk(SceneFile& scene, SectionList& list, Block block) {
    const uint32_t size = ChunkSize(block);
    if (size < kChunkHeadSize || size > block.size()) return false;
    block.resize(size);
    uint32_t growth = size;
    // A section the file did not have comes into being with its own head.
    if (&list != &scene.HeaderChunks && list.Size == 0) growth += kSectionHeadSize;
    list.Chunks.push_back(std::move(block));
    list.Size += growth;
    scene.TotalSize += growth;
    return true;
}

}  // namespace pellwise
