#pragma once

// The scene model (scene_model.cpp), its reader (scene_reader.cpp) and its
// writer (scene_writer.cpp).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gamedata/answer.h"
#include "gamedata/chunk_name_index.h"
#include "gamedata/file_error.h"
#include "services/atomic_file.h"

namespace pellwise {

class MessageService;

// One chunk held verbatim, 6-byte head included. Blocks made by the reader and
// by the import are exactly ChunkSize bytes long; a block read from an object
// file may be longer, and only its first ChunkSize bytes are ever used.
using Block = std::vector<uint8_t>;

inline constexpr uint16_t kSceneSignature = 0x4C53;
inline constexpr uint16_t kSectionObjects = 0x4000;
inline constexpr uint16_t kSectionDefinitions = 0xAE20;
inline constexpr uint16_t kSectionAE02 = 0xAE02;
inline constexpr uint16_t kSectionAE50 = 0xAE50;

inline constexpr uint16_t kChunkObject = 0x4010;
inline constexpr uint16_t kChunkDefinition = 0xAE21;
inline constexpr uint16_t kChunkAE51 = 0xAE51;
inline constexpr uint16_t kChunkAE03 = 0xAE03;

// Every chunk, section and the file itself begin with the same head: a u16 id
// and a u32 size that counts the head too.
inline constexpr uint32_t kChunkHeadSize = 6;
inline constexpr uint32_t kChunkIdOffset = 0;
inline constexpr uint32_t kChunkSizeOffset = 2;

// Where the name fields sit. An object's name chunk is its first nested chunk
// when that one has the id below, else the one after it; the name is that
// chunk's payload. A definition's name is the payload of its first nested
// chunk (the name chunk). An 0xAE51 entry holds a flag byte, a u32 length and
// the name.
inline constexpr uint16_t kObjectNameChunk = 0x0010;
inline constexpr uint32_t kObjectFirstNested = kChunkHeadSize;
inline constexpr uint32_t kDefinitionNameSizeOffset = kChunkHeadSize + kChunkSizeOffset;
inline constexpr uint32_t kDefinitionNameOffset = kChunkHeadSize + kChunkHeadSize;
inline constexpr uint32_t kAE51NameLengthOffset = kChunkHeadSize + 1;
inline constexpr uint32_t kAE51NameOffset = kAE51NameLengthOffset + 4;

// The nested chunks of a definition, in the order they stand.
inline constexpr uint16_t kDefinitionNameChunk = 0xAE23;
inline constexpr uint16_t kDefinitionTypeChunk = 0xAE22;
inline constexpr uint16_t kDefinitionDataChunk = 0xAE24;

// The name of every chunk of a kind that carries none.
inline constexpr std::string_view kNoName = "NoName";

// The chunks of one section in file order, and the section's size as read
// from the file (head included). Size is carried and adjusted by the size of
// every chunk added or removed, never recomputed; 0 means the file had no such
// section. Names is the look-up of FindByName: Chunks may be filled directly
// before the first look-up, and are afterwards changed only by AppendChunk,
// RemoveChunk and ClearList, which keep Names in step.
struct SectionList {
    std::vector<Block> Chunks;
    uint32_t Size = 0;
    mutable ChunkNameIndex Names;

    int Count() const { return static_cast<int>(Chunks.size()); }
};

// A section the reader did not recognise, kept verbatim so that writing the
// scene back loses nothing.
struct RawSection {
    uint16_t Id = 0;
    std::vector<uint8_t> Bytes;  // the whole section, head included
};

struct SceneFile {
    Answer OverwriteAnswer = Answer::Ask;  // Yes: overwrite chunks of the same name; No: keep them
    uint32_t TotalSize = 0;
    std::string FileName;
    SectionList HeaderChunks;
    SectionList Objects;
    SectionList Difinitions;
    SectionList SectionAE50;
    SectionList SectionAE02;
    std::vector<RawSection> UnknownSections;
    // Bytes the file held after its total size: no part of the scene, but
    // written back after it unchanged.
    std::vector<uint8_t> Trailing;
    uint64_t FileSize = 0;  // the file's size as read, trailing bytes included
    // The size and CRC-32C of the bytes the load read: the whole file, so
    // that whoever keeps the file as it was need not read it again to hash it.
    FileDigest Read;
};

// The four known sections in the order a scene is written, each with the kind
// of the chunks it holds and the list that holds them.
struct KnownSection {
    uint16_t Id;
    uint16_t ChunkKind;
    SectionList SceneFile::*List;
};
inline constexpr KnownSection kKnownSections[] = {
    {kSectionObjects, kChunkObject, &SceneFile::Objects},
    {kSectionDefinitions, kChunkDefinition, &SceneFile::Difinitions},
    {kSectionAE02, kChunkAE03, &SceneFile::SectionAE02},
    {kSectionAE50, kChunkAE51, &SceneFile::SectionAE50},
};

// Empties every list (unknown sections too) and sets TotalSize, FileSize and Read to 0;
// FileName and OverwriteAnswer stay.
void Clear(SceneFile& scene);
void ClearList(SectionList& list);

// The chunk's id and size fields; 0 for a block too short to hold one.
uint16_t ChunkId(const Block& block);
uint32_t ChunkSize(const Block& block);

// The chunk's name by its kind ("NoName" for kinds without one). Fields are
// read only inside the chunk: a name that would run past its end is cut there,
// and a name field that starts beyond it gives an empty name. The view lies
// inside the block (or is kNoName) and lasts as long as the block.
std::string_view ChunkNameView(const Block& block);
std::string ChunkName(const Block& block);

// The index of the first chunk whose name equals `name` byte for byte, or -1.
int FindByName(const SectionList& list, std::string_view name);

// Removes the chunk at `index` and subtracts its size from the list's Size and
// TotalSize; an index outside the list does nothing.
void RemoveChunk(SceneFile& scene, SectionList& list, int index);

// RemoveChunk in two steps, for many removals from a long list: the chunk is
// emptied and accounted for at once, FindByName no longer finds it, and the
// emptied places are closed by CloseHoles in one pass. Until then the list
// holds empty blocks and must be neither written nor walked; AppendChunk
// and FindByName work as usual. The order of the chunks that stay is the
// same as after RemoveChunk.
void RemoveChunkLeavingHole(SceneFile& scene, SectionList& list, int index);
void CloseHoles(SectionList& list);

// Appends a chunk to a section list and keeps TotalSize and the list's Size
// in step: a section that was absent (Size 0) comes into being with its 6-byte
// head. The block is cut to its size field. A block whose size field is below
// 6 or beyond the block's length is refused: false, and nothing changes.
bool AppendChunk(SceneFile& scene, SectionList& list, Block block);

// Reads the whole file into a cleared scene. Returns false, with `error`
// filled and the scene left empty, when the file cannot be opened, has a wrong
// signature or is damaged; such a scene must not be saved.
bool LoadFromFile(SceneFile& scene, const std::string& path, FileError& error);
// The same, showing the error's message.
bool LoadFromFile(SceneFile& scene, const std::string& path, MessageService& messages);

// Writes the sections in the order 0x4000, 0xAE20, 0xAE02, 0xAE50, then the
// unrecognised ones in file order, taking every size field from the model.
// The file is replaced in one step, never left partial. False, with `error`
// filled and the old file untouched, when it cannot be written or when the
// model's sizes disagree with its chunks. `fault` is a test seam.
bool SaveToFile(const SceneFile& scene, const std::string& path, FileError& error,
                InjectedFault fault = InjectedFault::None);
// The same, showing the error's message.
bool SaveToFile(const SceneFile& scene, const std::string& path, MessageService& messages,
                InjectedFault fault = InjectedFault::None);

// What SaveToFile writes, for a writer of the caller's choosing; nothing when
// it would refuse. The content refers to the scene, which must outlive it.
// Its size leaves out an emptied 0xAE02 section, a second file head and a
// repeated section's head, not the trailing bytes.
std::optional<FileContent> SceneContent(const SceneFile& scene);

}  // namespace pellwise
