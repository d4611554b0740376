#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "gamedata/scene_file.h"

namespace pellwise {

struct GameContext;

// A definition chunk is a name chunk (0xAE23), a type chunk (0xAE22) and a
// data chunk (0xAE24). The data of a script definition (type 5) carries, 20
// bytes in, a text whose placeholders - the marker "#@$&" and six more bytes -
// name the mod's new texts in NewTexts.ini.
inline constexpr uint32_t kScriptDefinition = 5;
inline constexpr uint32_t kDefinitionTextOffset = 20;
inline constexpr size_t kTextKeyLength = 10;

// The type of the definition at `index` of the scene's Difinitions; 0 when
// there is no such definition or it is not laid out as above.
uint32_t DefinitionType(const SceneFile& scene, int index);

// The data chunk of the definition at `index`, cut where the definition's
// block ends; empty when there is none.
std::span<uint8_t> DefinitionData(SceneFile& scene, int index);

// The 10 decimal digits, zero-padded, that replace a placeholder for `id`.
std::string TextReference(uint32_t id);

// Replaces, in place, every placeholder in the text of the definition at
// `idx` by the reference of its new text, adding the text to the context's
// TextDB where it is not there yet. The chunk never changes size. Without
// NewTexts or a TextDB, or with `idx` beyond the list, shows why and changes
// nothing.
void RewriteTextReferences(SceneFile& scene, int idx, GameContext& context);

}  // namespace pellwise
