#include "gamedata/object_import.h"

#include <algorithm>
#include <optional>

#include "gamedata/byte_reader.h"
#include "gamedata/game_context.h"
#include "gamedata/text_references.h"
#include "services/message_service.h"
#include "services/whole_file.h"

namespace pellwise {
namespace {

constexpr uint32_t kChunkHeadSize = 6;
constexpr uint8_t kAnswerKeep = 1;
constexpr uint8_t kAnswerOverwrite = 2;

// The object file's chunk, cut to its size field; nothing when the file
// cannot be read, or when it does not hold the chunk it announces (damaged).
std::optional<Block> ReadChunkFile(const std::string& path, bool& damaged) {
    std::optional<Block> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    const uint32_t size = ByteReader(*bytes).U32(2);
    if (bytes->size() < kChunkHeadSize || size < kChunkHeadSize || size > bytes->size()) {
        damaged = true;
        return std::nullopt;
    }
    bytes->resize(size);
    return bytes;
}

bool ShallOverwrite(SceneFile& scene, GameContext& context) {
    if (scene.OverwriteAnswer == 0) {
        const int pressed = context.Messages.ShowMessageBox(context.OverwriteQuestion, kMbYesNo | kMbIconQuestion);
        scene.OverwriteAnswer = pressed == kIdYes ? kAnswerOverwrite : kAnswerKeep;
    }
    return scene.OverwriteAnswer == kAnswerOverwrite;
}

void Append(SceneFile& scene, SectionList& list, Block block, GameContext& context) {
    if (!AppendChunk(scene, list, std::move(block))) return;
    if (&list == &scene.Difinitions) RewriteTextReferences(scene, list.Count() - 1, context);
}

}  // namespace

SectionList* ListForKind(SceneFile& scene, uint16_t kind) {
    for (const KnownSection& known : kKnownSections)
        if (known.ChunkKind == kind) return &(scene.*known.List);
    return nullptr;
}

bool LoadObjectFile(SceneFile& store, const std::string& path, GameContext& context) {
    bool damaged = false;
    std::optional<Block> chunk = ReadChunkFile(path, damaged);
    if (damaged) context.Messages.ShowMessageBox("Damaged object file: " + SystemName{path}, kMbOk | kMbIconError);
    if (!chunk) return false;
    AddChunk(store, std::move(*chunk), context);
    return true;
}

AddOutcome AddChunk(SceneFile& scene, Block block, GameContext& context) {
    const uint32_t size = ChunkSize(block);
    SectionList* list = ListForKind(scene, ByteReader(block).U16(0));
    if (list == nullptr || size < kChunkHeadSize || size > block.size()) return AddOutcome::Discarded;

    const int index = FindByName(*list, ChunkName(block));
    if (index < 0) {
        Append(scene, *list, std::move(block), context);
        return AddOutcome::Appended;
    }
    if (!ShallOverwrite(scene, context)) return AddOutcome::Kept;
    RemoveChunk(scene, *list, index);
    Append(scene, *list, std::move(block), context);
    return AddOutcome::Replaced;
}

void ImportObjects(SceneFile& scene, const SceneFile& store, GameContext& context) {
    if (&scene == &store) return;  // adding would change the lists being walked
    for (const SectionList* list : {&store.Objects, &store.Difinitions, &store.SectionAE50}) {
        for (const Block& chunk : list->Chunks) {
            const size_t size = std::min<size_t>(chunk.size(), ChunkSize(chunk));
            AddChunk(scene, Block(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(size)), context);
            if (context.AfterChunk) context.AfterChunk();
        }
    }
}

}  // namespace pellwise
