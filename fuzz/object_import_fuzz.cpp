// An object file of any bytes through LoadObjectFile (AddChunk and the
// text-reference rewrite included) into the object store, then imported twice
// into a sample mission that already holds objects of the mod's names. Nothing
// may read or write outside a block, a damaged file adds nothing, the patched
// scene must save and read back to the same bytes, and the store's
// definitions, once rewritten, must leave nothing to rewrite.
#include <string>

#include "fuzz/fuzz_support.h"
#include "gamedata/game_context.h"
#include "gamedata/object_import.h"
#include "gamedata/text_db.h"
#include "gamedata/text_references.h"
#include "installer/sample/sample_game.h"
#include "services/settings_file.h"

namespace {

using namespace pellwise;
using namespace pellwise::fuzz;

struct Game {
    SceneFile Scene;  // a mission with every kind of section
    TextDB Db;
    std::string NewTexts;  // the mod's NewTexts.ini
};

// The seeds are the object files of sample mods like this one.
Game MakeGame() {
    // The second mission has a section 0xAE02.
    const SampleOptions options{.Missions = 2, .SceneSize = 1500, .Collisions = 3};
    SampleGame sample;
    std::string error;
    QuietMessages messages;
    Game game;
    Expect(GenerateSampleGame(ScratchFolder() + "game", options, sample, error) &&
               LoadFromFile(game.Scene, sample.Missions[1].ScenePath, messages) &&
               Load(game.Db, sample.TextDbPath, messages),
           "the sample game is made");
    game.NewTexts = sample.ModDir + "DATA/NewTexts.ini";
    return game;
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
    static const Game game = MakeGame();
    // The first byte chooses the answers; the rest is the file.
    const uint8_t flags = size > 0 ? data[0] : 0;
    const std::string objectFile = WriteScratch("object.dnc", size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0);

    QuietMessages messages(flags & 1 ? kIdYes : kIdNo);
    TextDB db = game.Db;
    SettingsFile newTexts = OpenSettingsFile(game.NewTexts);
    GameContext context{messages, &db, &newTexts, "Overwrite?", {}};

    SceneFile store;
    const bool loaded = LoadObjectFile(store, objectFile, context).Read;
    // The same file again meets its own name in the store.
    if (flags & 4) LoadObjectFile(store, objectFile, context);
    if (!loaded) Expect(store.TotalSize == 0, "a damaged object file adds nothing");
    ExpectRewritten(store, context);

    SceneFile scene = game.Scene;
    scene.OverwriteAnswer = flags & 8 ? (flags & 16 ? Answer::Yes : Answer::No) : Answer::Ask;
    ImportObjects(scene, store, context);
    ImportObjects(scene, store, context);
    ExpectSceneRoundTrip(scene);
    return 0;
}
