#include <algorithm>
#include <cstring>

#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"

namespace pellwise {
namespace {

// The bytes a chunk's fields may be read from: its own size, and never more
// than the block holds.
std::span<const uint8_t> ChunkBytes(const Block& block) {
    return std::span<const uint8_t>(block.data(), std::min<size_t>(block.size(), ChunkSize(block)));
}

// The name field: up to the first NUL, at most `length` bytes, cut where the
// chunk ends.
std::string_view NameAt(std::span<const uint8_t> bytes, uint64_t offset, uint64_t length) {
    if (offset >= bytes.size()) return {};
    const uint64_t available = std::min<uint64_t>(length, bytes.size() - offset);
    const auto* first = reinterpret_cast<const char*>(bytes.data() + offset);
    const void* nul = std::memchr(first, '\0', static_cast<size_t>(available));
    return std::string_view(
        first, nul ? static_cast<size_t>(static_cast<const char*>(nul) - first) : static_cast<size_t>(available));
}

uint64_t LengthLessHead(uint32_t size) { return size > kChunkHeadSize ? size - kChunkHeadSize : 0; }

std::string_view ObjectName(std::span<const uint8_t> bytes) {
    ByteReader reader(bytes);
    uint64_t nameChunk = kObjectFirstNested;
    if (reader.U16(nameChunk) != kObjectNameChunk) nameChunk += reader.U32(nameChunk + kChunkSizeOffset);
    return NameAt(bytes, nameChunk + kChunkHeadSize, LengthLessHead(reader.U32(nameChunk + kChunkSizeOffset)));
}

std::string_view DefinitionName(std::span<const uint8_t> bytes) {
    ByteReader reader(bytes);
    return NameAt(bytes, kDefinitionNameOffset, LengthLessHead(reader.U32(kDefinitionNameSizeOffset)));
}

std::string_view AE51Name(std::span<const uint8_t> bytes) {
    ByteReader reader(bytes);
    return NameAt(bytes, kAE51NameOffset, reader.U32(kAE51NameLengthOffset));
}

}  // namespace

void ClearList(SectionList& list) {
    // The list keeps its room: the next load of a scene of the same size
    // fills it without growing it step by step.
    list.Chunks.clear();
    list.Names.Clear();
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
    scene.Read = {};
}

uint16_t ChunkId(const Block& block) { return ByteReader(block).U16(kChunkIdOffset); }

uint32_t ChunkSize(const Block& block) { return ByteReader(block).U32(kChunkSizeOffset); }

std::string_view ChunkNameView(const Block& block) {
    const std::span<const uint8_t> bytes = ChunkBytes(block);
    switch (ByteReader(bytes).U16(kChunkIdOffset)) {
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

std::string ChunkName(const Block& block) { return std::string(ChunkNameView(block)); }

int FindByName(const SectionList& list, std::string_view name) { return list.Names.Find(list.Chunks, name); }

void RemoveChunk(SceneFile& scene, SectionList& list, int index) {
    if (index < 0 || index >= list.Count()) return;
    const uint32_t size = ChunkSize(list.Chunks[index]);
    list.Names.Removing(list.Chunks, index);
    list.Chunks.erase(list.Chunks.begin() + index);
    list.Size -= size;
    scene.TotalSize -= size;
}

void RemoveChunkLeavingHole(SceneFile& scene, SectionList& list, int index) {
    if (index < 0 || index >= list.Count()) return;
    Block& chunk = list.Chunks[static_cast<size_t>(index)];
    const uint32_t size = ChunkSize(chunk);
    list.Names.Hollowing(list.Chunks, index);
    Block().swap(chunk);
    list.Size -= size;
    scene.TotalSize -= size;
}

void CloseHoles(SectionList& list) {
    list.Names.ClosingHoles(list.Chunks);
    std::erase_if(list.Chunks, [](const Block& chunk) { return chunk.empty(); });
}

bool AppendChunk(SceneFile& scene, SectionList& list, Block block) {
    const uint32_t size = ChunkSize(block);
    if (size < kChunkHeadSize || size > block.size()) return false;
    block.resize(size);
    uint32_t growth = size;
    // A section the file did not have comes into being with its own head.
    if (&list != &scene.HeaderChunks && list.Size == 0) growth += kChunkHeadSize;
    list.Chunks.push_back(std::move(block));
    list.Names.Appended(list.Chunks);
    list.Size += growth;
    scene.TotalSize += growth;
    return true;
}

}  // namespace pellwise
