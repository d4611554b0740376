// The scene reader over any bytes: it must never read outside the file, and
// whatever it accepts must be consistent, save, and read back into the same
// lists; saving that again gives the same bytes.
#include <fstream>
#include <sstream>

#include "fuzz/fuzz_support.h"
#include "gamedata/scene_file.h"

namespace {

std::string ReadBack(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pellwise;
    using namespace pellwise::fuzz;
    const std::string input = WriteScratch("scene2.bin", data, size);
    QuietMessages messages;
    SceneFile first;
    if (!LoadFromFile(first, input, messages)) {
        Expect(first.TotalSize == 0 && first.Objects.Chunks.empty() && first.HeaderChunks.Chunks.empty(),
               "a failed load leaves the scene empty");
        Expect(messages.Shown() == 1, "a failed load shows one message");
        return 0;
    }
    Expect(messages.Shown() == 0, "a load that succeeds shows nothing");
    ExpectConsistentScene(first, true, "after the load");
    for (const SectionList* list : {&first.Objects, &first.Difinitions, &first.SectionAE50, &first.SectionAE02})
        for (const Block& chunk : list->Chunks) Expect(FindByName(*list, ChunkName(chunk)) >= 0, "a name is found");

    const std::string saved = ScratchFolder() + "saved.bin";
    Expect(SaveToFile(first, saved, messages), "an accepted scene saves");
    SceneFile second;
    Expect(LoadFromFile(second, saved, messages), "a saved scene loads");
    // An empty section 0xAE02 is not written, and its head leaves the total.
    if (first.SectionAE02.Chunks.empty()) {
        first.TotalSize -= first.SectionAE02.Size;
        first.SectionAE02.Size = 0;
    }
    ExpectSameScene(first, second, "saved and read back");

    const std::string again = ScratchFolder() + "again.bin";
    Expect(SaveToFile(second, again, messages), "a scene read back saves");
    Expect(ReadBack(saved) == ReadBack(again), "saving what was read back gives the same bytes");
    return 0;
}
