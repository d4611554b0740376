#include "gamedata/object_import.h"

#include <algorithm>
#include <optional>

#include "gamedata/game_context.h"
#include "gamedata/text_references.h"
#include "services/message_service.h"
#include "services/system_error.h"
#include "services/whole_file.h"

namespace pellwise {
namespace {

// A block that holds the whole chunk its head announces.
bool HoldsItsChunk(const Block& block) {
    const uint32_t size = ChunkSize(block);
    return block.size() >= kChunkHeadSize && size >= kChunkHeadSize && size <= block.size();
}

bool ShallOverwrite(SceneFile& scene, GameContext& context) {
    if (scene.OverwriteAnswer == Answer::Ask) {
        const int pressed = context.Messages.ShowMessageBox(context.OverwriteQuestion, kMbYesNo | kMbIconQuestion);
        scene.OverwriteAnswer = pressed == kIdYes ? Answer::Yes : Answer::No;
    }
    return scene.OverwriteAnswer == Answer::Yes;
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

ObjectFileLoad LoadObjectFile(SceneFile& store, const std::string& path, GameContext& context) {
    ObjectFileLoad load;
    load.Error = {FileErrorKind::None, GameFileKind::ObjectFile, path, 0, {}};
    std::optional<Block> chunk = ReadWholeFile(path);
    if (!chunk) {
        load.Error.Kind = FileErrorKind::CannotOpen;
        load.Error.Reason = LastSystemError(path);
        return load;
    }
    if (chunk->size() >= kChunkHeadSize) {
        load.Kind = ChunkId(*chunk);
        load.Name = ChunkName(*chunk);
    }
    if (!HoldsItsChunk(*chunk)) {
        load.Error.Kind = FileErrorKind::Damaged;
        load.Error.Offset = chunk->size() < kChunkHeadSize ? chunk->size() : kChunkSizeOffset;
        ShowFileError(context.Messages, load.Error);
        return load;
    }
    chunk->resize(ChunkSize(*chunk));
    load.Read = true;
    load.Outcome = AddChunk(store, std::move(*chunk), context);
    return load;
}

namespace {

// AddChunk; with `leaveHole` a replaced chunk leaves a hole for the caller to
// close, so that many replacements in a long list cost one pass, not one each.
AddOutcome Add(SceneFile& scene, Block block, GameContext& context, bool leaveHole) {
    SectionList* list = ListForKind(scene, ChunkId(block));
    if (list == nullptr || !HoldsItsChunk(block)) return AddOutcome::Discarded;

    const int index = FindByName(*list, ChunkNameView(block));
    if (index < 0) {
        Append(scene, *list, std::move(block), context);
        return AddOutcome::Appended;
    }
    if (!ShallOverwrite(scene, context)) return AddOutcome::Kept;
    if (leaveHole)
        RemoveChunkLeavingHole(scene, *list, index);
    else
        RemoveChunk(scene, *list, index);
    Append(scene, *list, std::move(block), context);
    return AddOutcome::Replaced;
}

}  // namespace

AddOutcome AddChunk(SceneFile& scene, Block block, GameContext& context) {
    return Add(scene, std::move(block), context, false);
}

std::vector<ChunkImport> ImportObjects(SceneFile& scene, const SceneFile& store, GameContext& context) {
    std::vector<ChunkImport> imports;
    if (&scene == &store) return imports;  // adding would change the lists being walked
    for (const SectionList* list : {&store.Objects, &store.Difinitions, &store.SectionAE50}) {
        for (const Block& chunk : list->Chunks) {
            const size_t size = std::min<size_t>(chunk.size(), ChunkSize(chunk));
            ChunkImport import{ChunkId(chunk), ChunkName(chunk), ChunkSize(chunk), AddOutcome::Discarded};
            import.Outcome =
                Add(scene, Block(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(size)), context, true);
            imports.push_back(std::move(import));
            if (context.AfterChunk) context.AfterChunk();
        }
    }
    for (SectionList* list : {&scene.Objects, &scene.Difinitions, &scene.SectionAE50}) CloseHoles(*list);
    return imports;
}

}  // namespace pellwise
