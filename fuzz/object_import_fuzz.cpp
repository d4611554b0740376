// An object file of any bytes through LoadObjectFile (AddChunk and the
// text-reference rewrite included) into the object store, then imported twice
// into a scene that already holds chunks of the mod's names. Nothing may read
// or write outside a block, the store and the scene must stay consistent, the
// patched scene must save and read back into the same lists, and the copies
// imported from the store must find nothing left to rewrite.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "gamedata/game_context.h"
#include "gamedata/object_import.h"
#include "gamedata/text_db.h"
#include "gamedata/text_references.h"
#include "services/settings_file.h"
#include "services/text_codec.h"

namespace {

using namespace pellwise;
using namespace pellwise::fuzz;

// The game's scene: an object, a script definition and an entry of each kind
// whose names the seeds use, so that imports collide.
const std::string& SceneImage() {
    static const std::string image = MakeSceneImage({
        {kSectionObjects, {MakeObject("tarn_car"), MakeObject("Tommy")}},
        {kSectionDefinitions, {MakeDefinition("tarn_intro", 5, "say 0000000101"), MakeDefinition("door", 4, "x")}},
        {kSectionAE02, {MakeChunk(kChunkAE03, "ae03")}},
        {kSectionAE50, {MakeEntryAE51("tarn_spawn")}},
    });
    return image;
}

// A database of 120 entries: ID 100 decides its kind, the last two IDs leave room.
TextDB MakeDatabase(bool latin) {
    TextDB db;
    for (uint32_t id = 1; id <= 118; ++id) {
        std::string text = id == 100 ? (latin ? "MAONR" : Ru("МАФИЯ")) : "text " + std::to_string(id);
        db.Append(std::move(text), id);
    }
    db.Append(latin ? "YPNBET" : Ru("Привет"), 500);
    db.Append("last", 900);
    DetectKind(db);
    return db;
}

const std::string& NewTextsPath() {
    static const std::string path = WriteScratch(
        "NewTexts.ini", "[texts]\r\n#@$&000001=" + Ru("Добро пожаловать в Тарнвик") + "\r\n#@$&000002=text 7\r\n" +
                            "#@$&000003=\r\n#@$&000004=" + Ru("Привет") + "\r\n");
    return path;
}

void ExpectRewritten(SceneFile& store, GameContext& context) {
    const int countBefore = context.TextDb->Count();
    for (int i = 0; i < store.Difinitions.Count(); ++i) {
        const Block before = store.Difinitions.Chunks[static_cast<size_t>(i)];
        RewriteTextReferences(store, i, context);
        Expect(store.Difinitions.Chunks[static_cast<size_t>(i)] == before, "a rewritten definition is left as it is");
    }
    Expect(context.TextDb->Count() == countBefore, "a second rewrite adds no text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte chooses the answers and the database; the rest is the file.
    const uint8_t flags = size > 0 ? data[0] : 0;
    const std::string objectFile = WriteScratch("object.dnc", size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0);
    const std::string scenePath = WriteScratch("scene2.bin", SceneImage());

    QuietMessages messages(flags & 1 ? kIdYes : kIdNo);
    TextDB db = MakeDatabase(flags & 2);
    SettingsFile newTexts = OpenSettingsFile(NewTextsPath());
    GameContext context{messages, &db, &newTexts, "Overwrite?", {}};

    SceneFile store;
    const bool loaded = LoadObjectFile(store, objectFile, context);
    // The same file again meets its own name in the store.
    if (flags & 4) LoadObjectFile(store, objectFile, context);
    ExpectConsistentScene(store, false, "the object store");
    if (!loaded) Expect(store.TotalSize == 0, "a damaged object file adds nothing");
    ExpectRewritten(store, context);

    SceneFile scene;
    Expect(LoadFromFile(scene, scenePath, messages), "the game's scene loads");
    scene.OverwriteAnswer = flags & 8 ? (flags & 16 ? 2 : 1) : 0;
    ImportObjects(scene, store, context);
    ImportObjects(scene, store, context);
    ExpectConsistentScene(scene, true, "the patched scene");

    const std::string saved = ScratchFolder() + "patched.bin";
    Expect(SaveToFile(scene, saved, messages), "the patched scene saves");
    SceneFile again;
    Expect(LoadFromFile(again, saved, messages), "the patched scene loads");
    if (scene.SectionAE02.Chunks.empty()) {
        scene.TotalSize -= scene.SectionAE02.Size;
        scene.SectionAE02.Size = 0;
    }
    ExpectSameScene(scene, again, "patched, saved and read back");
    return 0;
}
