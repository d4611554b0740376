#pragma once

#include <cstdint>
#include <string>

#include "gamedata/text_references.h"
#include "tests/gamedata/scene_test_support.h"

// Definition chunks as the mod ships them.
namespace pellwise::scene_test {

inline Bytes DataChunk(const std::string& text) {
    const Bytes prefix = {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E};
    return Chunk(kDefinitionDataChunk, Join({prefix, Text(text), {0}}));
}

// A definition: name chunk, type chunk, data chunk whose text starts 14 bytes
// into its payload.
inline Bytes ScriptDefinition(const std::string& name, const std::string& text, uint32_t type = kScriptDefinition) {
    return Chunk(kChunkDefinition, Join({Chunk(kDefinitionNameChunk, Sz(name)), Chunk(kDefinitionTypeChunk, Le32(type)),
                                         DataChunk(text)}));
}

}  // namespace pellwise::scene_test
