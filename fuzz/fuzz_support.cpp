#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "services/whole_file.h"

namespace pellwise::fuzz {

namespace fs = std::filesystem;

namespace {

struct Scratch {
    std::string path;
    Scratch() {
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        path = (base / ("pellwise-fuzz-" + std::to_string(getpid()))).string() + "/";
        fs::create_directories(path, ec);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

}  // namespace

const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    Expect(out.good(), "the scratch file is written");
    return path;
}

void Expect(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "\n*** broken: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

void ExpectSceneRoundTrip(const SceneFile& scene) {
    QuietMessages messages;
    const std::string saved = ScratchFolder() + "saved.bin", again = ScratchFolder() + "again.bin";
    Expect(SaveToFile(scene, saved, messages), "the scene saves");
    SceneFile readBack;
    Expect(LoadFromFile(readBack, saved, messages), "the saved scene loads");
    Expect(SaveToFile(readBack, again, messages), "the scene read back saves");
    Expect(ReadWholeFile(saved) == ReadWholeFile(again), "saving what was read back gives the same bytes");
}

}  // namespace pellwise::fuzz
