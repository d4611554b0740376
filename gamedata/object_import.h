#pragma once

#include <string>
#include <vector>

#include "gamedata/scene_file.h"

namespace pellwise {

struct GameContext;

enum class AddOutcome {
    Appended,   // no chunk of that name in its section: added at the end
    Replaced,   // the old chunk of that name was removed, the new one added at the end
    Kept,       // the user chose to keep existing chunks: the new one was dropped
    Discarded,  // not a chunk kind a scene section holds, or a damaged block
};

// What became of one object file in the store.
struct ObjectFileLoad {
    bool Read = false;  // false: unreadable or damaged; nothing was handed to AddChunk
    uint16_t Kind = 0;  // the chunk's id and name, as far as the file holds them
    std::string Name;
    AddOutcome Outcome = AddOutcome::Discarded;
    FileError Error;  // why it was not read
};

// What became of one chunk of the store in a scene.
struct ChunkImport {
    uint16_t Kind = 0;
    std::string Name;
    uint32_t Size = 0;
    AddOutcome Outcome = AddOutcome::Discarded;
};

// The section list that holds chunks of this kind; null for any other kind.
SectionList* ListForKind(SceneFile& scene, uint16_t kind);

// Reads one object file (*.dnc, one chunk) into the store through AddChunk.
// A file too short for a chunk head, or whose size field is below 6 or beyond
// the file's end, is reported as "Damaged object file: " + path and not
// stored; bytes after the chunk's end are ignored. A file that cannot be read
// is not stored either; its error carries the system's reason, unshown.
ObjectFileLoad LoadObjectFile(SceneFile& store, const std::string& path, GameContext& context);

// Files a chunk under its section by kind. A chunk whose name is already in
// that section asks the context's overwrite question once per scene; the
// answer then holds for every later collision in the scene. Definitions
// entering the scene have their text references rewritten.
AddOutcome AddChunk(SceneFile& scene, Block block, GameContext& context);

// Adds a copy of every object, definition and 0xAE50 entry of the store to
// the scene, in the store's order, and runs the context's AfterChunk hook
// after each. Entries of section 0xAE02 are not imported: every one of them
// is named "NoName", so each would collide with an arbitrary chunk of the
// game's scene. The store is not changed. Returns the outcome of each chunk in
// the order they were added.
std::vector<ChunkImport> ImportObjects(SceneFile& scene, const SceneFile& store, GameContext& context);

}  // namespace pellwise
