// The scene reader over any bytes: it must never read outside the file, a
// failed load leaves the scene empty, and whatever it accepts must save and
// read back to the same bytes.
#include "fuzz/fuzz_support.h"
#include "gamedata/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pellwise;
    using namespace pellwise::fuzz;
    SceneFile scene;
    if (!LoadInput(scene, LoadFromFile, "scene2.bin", data, size)) {
        Expect(scene.TotalSize == 0 && scene.Objects.Chunks.empty() && scene.HeaderChunks.Chunks.empty(),
               "a failed load leaves the scene empty");
        return 0;
    }
    // The import looks chunks up by name: names must be read inside any chunk.
    for (const SectionList* list : {&scene.Objects, &scene.Difinitions, &scene.SectionAE50, &scene.SectionAE02})
        for (const Block& chunk : list->Chunks) Expect(FindByName(*list, ChunkName(chunk)) >= 0, "a name is found");
    ExpectSceneRoundTrip(scene);
    return 0;
}
