#include "gamedata/text_references.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "gamedata/byte_reader.h"
#include "gamedata/game_context.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "services/message_service.h"
#include "services/settings_file.h"

namespace pellwise {
namespace {

constexpr uint32_t kLargestDataWithoutText = 16;
constexpr std::string_view kTextMarker = "#@$&";
const char kNewTextsSection[] = "texts";
const char kMissingText[] = "no text";

// The bytes of the definition at `index` that may be looked at: the chunk's
// own size, never more than its block holds. Empty when there is no such chunk.
std::span<const uint8_t> DefinitionBytes(const SceneFile& scene, int index) {
    if (index < 0 || index >= scene.Difinitions.Count()) return {};
    const Block& block = scene.Difinitions.Chunks[static_cast<size_t>(index)];
    return std::span<const uint8_t>(block.data(), std::min<size_t>(block.size(), ChunkSize(block)));
}

// The offset of the type chunk inside a definition, or 0 when the layout differs.
uint64_t TypeChunkOffset(std::span<const uint8_t> definition) {
    ByteReader reader(definition);
    if (reader.U16(kChunkIdOffset) != kChunkDefinition || reader.U16(kChunkHeadSize) != kDefinitionNameChunk) return 0;
    const uint64_t typeChunk = kChunkHeadSize + reader.U32(kChunkHeadSize + kChunkSizeOffset);
    if (reader.U16(typeChunk) != kDefinitionTypeChunk || !reader.Ok()) return 0;
    return typeChunk;
}

struct ByteRange {
    size_t offset = 0;
    size_t length = 0;
};

// Where the data chunk lies inside a definition, cut at the definition's end;
// an empty range when there is none.
ByteRange DataChunkRange(std::span<const uint8_t> definition) {
    const uint64_t typeChunk = TypeChunkOffset(definition);
    if (typeChunk == 0) return {};
    ByteReader reader(definition);
    const uint64_t dataChunk = typeChunk + reader.U32(typeChunk + kChunkSizeOffset);
    const uint32_t dataSize = reader.U32(dataChunk + kChunkSizeOffset);
    if (reader.U16(dataChunk) != kDefinitionDataChunk || !reader.Ok()) return {};
    const uint64_t end = std::min<uint64_t>(definition.size(), dataChunk + dataSize);
    return {static_cast<size_t>(dataChunk), static_cast<size_t>(end - dataChunk)};
}

// The text of a script definition's data chunk: from offset 20 to the first
// NUL or the chunk's end.
std::span<uint8_t> DefinitionText(std::span<uint8_t> data) {
    if (data.size() <= kDefinitionTextOffset) return {};
    const std::span<uint8_t> rest = data.subspan(kDefinitionTextOffset);
    return rest.first(static_cast<size_t>(std::find(rest.begin(), rest.end(), 0) - rest.begin()));
}

size_t FindMarker(std::span<const uint8_t> text, size_t from) {
    const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
    return view.find(kTextMarker, from);
}

void ShowError(GameContext& context, const char* text) { context.Messages.ShowMessageBox(text, kMbOk | kMbIconError); }

bool ReadyToRewrite(const SceneFile& scene, int idx, GameContext& context) {
    if (context.NewTexts == nullptr) {
        ShowError(context, "NewTexts.ini not available");
        return false;
    }
    if (context.TextDb == nullptr) {
        ShowError(context, "TextDB = NIL, can't work");
        return false;
    }
    if (idx > scene.Difinitions.Count() - 1) {
        ShowError(context, "Difinitions.count < Idx");
        return false;
    }
    return true;
}

}  // namespace

uint32_t DefinitionType(const SceneFile& scene, int index) {
    const std::span<const uint8_t> definition = DefinitionBytes(scene, index);
    const uint64_t typeChunk = TypeChunkOffset(definition);
    if (typeChunk == 0) return 0;
    ByteReader reader(definition);
    return reader.U32(typeChunk + kChunkHeadSize);
}

std::span<uint8_t> DefinitionData(SceneFile& scene, int index) {
    const ByteRange range = DataChunkRange(DefinitionBytes(scene, index));
    if (range.length == 0) return {};
    return std::span<uint8_t>(scene.Difinitions.Chunks[static_cast<size_t>(index)]).subspan(range.offset, range.length);
}

std::string TextReference(uint32_t id) {
    std::string digits(kTextKeyLength, '0');
    for (size_t i = kTextKeyLength; id != 0; id /= 10) digits[--i] = static_cast<char>('0' + id % 10);
    return digits;
}

void RewriteTextReferences(SceneFile& scene, int idx, GameContext& context) {
    if (!ReadyToRewrite(scene, idx, context)) return;
    context.NewTexts->Section = kNewTextsSection;

    if (DefinitionType(scene, idx) != kScriptDefinition) return;
    const std::span<uint8_t> data = DefinitionData(scene, idx);
    if (data.empty() || ByteReader(data).U32(kChunkSizeOffset) <= kLargestDataWithoutText) return;

    // One pass suffices: the digits written contain no marker byte, so no
    // marker can appear across a rewritten reference.
    const std::span<uint8_t> text = DefinitionText(data);
    for (size_t at = FindMarker(text, 0); at != std::string_view::npos; at = FindMarker(text, at)) {
        // A key cut short by the text's end cannot take a full reference, and
        // no later marker can be any longer.
        if (text.size() - at < kTextKeyLength) break;
        const std::string key(reinterpret_cast<const char*>(text.data() + at), kTextKeyLength);
        std::string newText = context.NewTexts->ReadString(key, kMissingText);
        const std::string reference = TextReference(FindOrAdd(*context.TextDb, newText, context.Messages));
        std::copy(reference.begin(), reference.end(), text.begin() + static_cast<std::ptrdiff_t>(at));
        at += kTextKeyLength;
    }
}

}  // namespace pellwise
