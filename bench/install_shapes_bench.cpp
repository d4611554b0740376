// The install in the shapes real mods and games take, beside its floor in the
// same run: scenes of 20 000 objects with nested chunks, mods whose object
// files number in the hundreds with a quarter of them named like objects of
// the game, texts by the thousand. The floor is a plain copy of the files the
// install rewrites (read whole, written through the same replace-in-one-step
// writer). The growth rows vary one dimension at a time: scene objects, mod
// objects, texts. The console's peak memory is read from the process itself.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "bench/bench_support.h"
#include "installer/engine/installer.h"
#include "installer/sample/sample_chunks.h"
#include "installer/sample/sample_game.h"
#include "services/atomic_file.h"
#include "services/message_service.h"
#include "services/whole_file.h"

namespace pellwise {
namespace {

using bench::AnswerYes;
using bench::Median;
using bench::SecondsSince;

namespace fs = std::filesystem;

constexpr int kMarkersPerDefinition = 5;

std::string Numbered(const char* format, int n) {
    char text[48];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

struct Shape {
    int Missions = 20;
    int SceneObjects = 20000;
    int ModObjects = 40;  // object files of the mod; a quarter named like objects of every scene
    int Texts = 75;       // new texts, five markers to a definition file
    int Entries = 100000;

    std::string Name() const {
        char name[96];
        std::snprintf(name, sizeof name, "m%d-o%d-f%d-t%d-e%d", Missions, SceneObjects, ModObjects, Texts, Entries);
        return name;
    }
};

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    if (WriteFileAtomically(path.string(), {reinterpret_cast<const char*>(bytes.data()), bytes.size()}) !=
        AtomicWriteStatus::Ok)
        throw std::runtime_error("cannot write " + path.string());
}

// A scene as the game has them: a few head chunks, then the objects (each a
// chunk of nested chunks, about 200 bytes), definitions and 0xAE50 entries.
std::vector<uint8_t> BuildScene(int mission, int objects) {
    ChunkWriter w;
    w.U16(kSceneSignature);
    w.U32(0);
    w.Begin(0x3200);
    w.U32(0x447A0000);
    w.End();
    w.Begin(kSectionObjects);
    for (int k = 0; k < objects; ++k) {
        const auto seed = static_cast<uint32_t>(mission * 1000003 + k);
        const std::vector<uint8_t> chunk = SampleObjectChunk(Numbered("Object_%06d", k), seed, 120);
        w.Raw({reinterpret_cast<const char*>(chunk.data()), chunk.size()});
    }
    w.End();
    w.Begin(kSectionDefinitions);
    for (int k = 0; k < 20; ++k) {
        const std::vector<uint8_t> chunk = SampleDefinitionChunk(Numbered("Script_%03d", k), 5, "wait 1\nend\n");
        w.Raw({reinterpret_cast<const char*>(chunk.data()), chunk.size()});
    }
    w.End();
    w.Begin(kSectionAE50);
    for (int k = 0; k < 20; ++k) {
        const std::vector<uint8_t> chunk = SampleEntryAE51(Numbered("Spawn_%03d", k), "end\n");
        w.Raw({reinterpret_cast<const char*>(chunk.data()), chunk.size()});
    }
    w.End();
    std::vector<uint8_t> bytes = w.Bytes();
    const auto total = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i) bytes[2 + static_cast<size_t>(i)] = static_cast<uint8_t>(total >> (8 * i));
    return bytes;
}

// The mod's DATA folder: the object files, a quarter of them named like
// objects spread over the whole scene, and the definitions that carry the
// texts, with NewTexts.ini.
void WriteMod(const fs::path& data, const Shape& shape) {
    fs::remove_all(data);
    const int colliding = shape.ModObjects / 4;
    for (int k = 0; k < shape.ModObjects; ++k) {
        const std::string name = k < colliding ? Numbered("Object_%06d", k * (shape.SceneObjects / colliding))
                                               : Numbered("ModObject_%05d", k);
        Write(data / Numbered("obj_%05d.dnc", k), SampleObjectChunk(name, static_cast<uint32_t>(k), 120));
    }
    std::string ini = "[texts]\r\n";
    for (int t = 0; t < shape.Texts; ++t) ini += Numbered("#@$&%06d", t) + "=" + Numbered("Mod text %d", t) + "\r\n";
    Write(data / "NewTexts.ini", std::vector<uint8_t>(ini.begin(), ini.end()));
    for (int d = 0; d * kMarkersPerDefinition < shape.Texts; ++d) {
        std::string text;
        for (int t = d * kMarkersPerDefinition; t < std::min(shape.Texts, (d + 1) * kMarkersPerDefinition); ++t)
            text += "console_addtext " + Numbered("#@$&%06d", t) + "\n";
        Write(data / Numbered("def_%05d.dnc", d), SampleDefinitionChunk(Numbered("ModScript_%05d", d), 5, text));
    }
}

// A game of that shape kept untouched in `pristine`; each iteration installs
// into a fresh copy of it.
struct ShapeGame {
    fs::path root;
    SampleGame game;
    std::vector<std::string> rewritten;  // relative to the game folder
    uint64_t largestScene = 0;
    uint64_t database = 0;

    explicit ShapeGame(const Shape& shape) : root(bench::RunFolder() / shape.Name()) {
        fs::remove_all(root);
        SampleOptions options;
        options.Missions = shape.Missions;
        options.SceneSize = 4096;
        options.TextDbEntries = shape.Entries;
        options.ReplaceableFile = false;
        std::string error;
        if (!GenerateSampleGame(Pristine().string(), options, game, error)) throw std::runtime_error(error);
        fs::remove_all(Pristine() / "Tarnwick" / "files");  // the floor copies no loose files
        WriteMod(Pristine() / "Tarnwick" / "DATA", shape);
        for (size_t i = 0; i < game.Missions.size(); ++i) {
            const std::vector<uint8_t> scene = BuildScene(static_cast<int>(i), shape.SceneObjects);
            Write(game.Missions[i].ScenePath, scene);
            rewritten.push_back(fs::relative(game.Missions[i].ScenePath, Pristine()).string());
            largestScene = std::max<uint64_t>(largestScene, scene.size());
        }
        rewritten.push_back(fs::relative(game.TextDbPath, Pristine()).string());
        database = fs::file_size(game.TextDbPath);
    }
    ~ShapeGame() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    fs::path Pristine() const { return root / "pristine"; }
    fs::path Work() const { return root / "work"; }

    void Reset() const {
        fs::remove_all(Work());
        fs::remove_all(root / "copy");
        fs::copy(Pristine(), Work(), fs::copy_options::recursive);
        // Neither the floor nor the install is to pay for writing back the
        // setup's pages when it flushes its own files.
        sync();
    }

    double PlainCopySeconds() const {
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& file : rewritten) {
            const auto bytes = ReadWholeFile((Work() / file).string());
            if (!bytes) throw std::runtime_error("the floor could not read " + file);
            const fs::path target = root / "copy" / file;
            fs::create_directories(target.parent_path());
            WriteFileAtomically(target.string(), {reinterpret_cast<const char*>(bytes->data()), bytes->size()});
        }
        return SecondsSince(start);
    }

    double InstallSeconds() const {
        AnswerYes messages;
        const auto start = std::chrono::steady_clock::now();
        Installer installer((Work() / "Tarnwick").string(), Work().string(), messages);
        if (!installer.StartWizard().Ok()) throw std::runtime_error("the wizard stopped");
        PatchOptions options;
        options.Overwrite = Answer::Yes;
        options.ReplaceFiles = Answer::Yes;
        if (!installer.RunPatch(installer.Missions(), options).Succeeded())
            throw std::runtime_error("the install failed");
        return SecondsSince(start);
    }
};

const ShapeGame& Game(const Shape& shape) {
    static std::unique_ptr<ShapeGame> game;  // one game on disk at a time
    static std::string name;
    if (!game || name != shape.Name()) {
        game.reset();
        game = std::make_unique<ShapeGame>(shape);
        name = shape.Name();
    }
    return *game;
}

// The figures are medians: one write-back of the disk cache that lands in an
// iteration can double the floor of that iteration alone. The ratio is the
// median of each iteration's install over the floor measured just before it,
// so that a machine that is slower for a while slows both sides of a ratio.
void Measure(benchmark::State& state, const Shape& shape, double units) {
    const ShapeGame& g = Game(shape);
    std::vector<double> installs, floors, ratios;
    for (auto _ : state) {
        g.Reset();
        floors.push_back(g.PlainCopySeconds());
        installs.push_back(g.InstallSeconds());
        ratios.push_back(installs.back() / floors.back());
        state.SetIterationTime(installs.back());
    }
    state.counters["install_ms"] = Median(installs) * 1e3;
    state.counters["floor_ms"] = Median(floors) * 1e3;
    state.counters["install_per_floor"] = Median(ratios);
    state.counters["units"] = units;
}

// 20 missions of 20 000 objects, a 100 000-entry database, 75 texts; 40 or
// 400 object files.
void BM_InstallRealisticMod(benchmark::State& state) {
    Shape shape;
    shape.ModObjects = static_cast<int>(state.range(0));
    Measure(state, shape, shape.ModObjects);
}
BENCHMARK(BM_InstallRealisticMod)->Arg(40)->Arg(400)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

// Four missions, 100 object files, 75 texts, 1 000 entries; objects per scene vary.
void BM_GrowthBySceneObjects(benchmark::State& state) {
    Shape shape{4, static_cast<int>(state.range(0)), 100, 75, 1000};
    Measure(state, shape, shape.SceneObjects);
}
BENCHMARK(BM_GrowthBySceneObjects)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(50000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Four missions of 20 000 objects, 75 texts, 1 000 entries; object files vary.
void BM_GrowthByModObjects(benchmark::State& state) {
    Shape shape{4, 20000, static_cast<int>(state.range(0)), 75, 1000};
    Measure(state, shape, shape.ModObjects);
}
BENCHMARK(BM_GrowthByModObjects)
    ->Arg(10)
    ->Arg(100)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// One mission of 1 000 objects, 10 object files, 1 000 entries; texts vary.
void BM_GrowthByTexts(benchmark::State& state) {
    Shape shape{1, 1000, 10, static_cast<int>(state.range(0)), 1000};
    Measure(state, shape, shape.Texts);
}
BENCHMARK(BM_GrowthByTexts)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(6000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

#ifdef PELLWISE_CONSOLE
// The console's own peak resident set, read by GNU time: a child forked from
// this process would carry this process's pages into its peak.
long ConsolePeakKiB(const ShapeGame& g) {
    const std::string mod = (g.Work() / "Tarnwick").string();
    const std::string gameDir = g.Work().string();
    const std::string report = (g.root / "peak.txt").string();
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(126);
        execl("/usr/bin/time", "time", "-f", "%M", "-o", report.c_str(), PELLWISE_CONSOLE, "install", "--game",
              gameDir.c_str(), "--mod", mod.c_str(), "--all-missions", "--overwrite", "yes", "--replace-files", "yes",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    const auto text = ReadWholeFile(report);
    return text ? std::atol(std::string(text->begin(), text->end()).c_str()) : -1;
}

// For the realistic shapes, beside the budget of twice the largest scene and
// the database plus 8 MiB.
void BM_ConsolePeakMemory(benchmark::State& state) {
    Shape shape;
    shape.ModObjects = static_cast<int>(state.range(0));
    const ShapeGame& g = Game(shape);
    long peakKiB = 0;
    for (auto _ : state) {
        g.Reset();
        const long kiB = ConsolePeakKiB(g);
        if (kiB <= 0) state.SkipWithError("the console install failed, or /usr/bin/time is missing");
        peakKiB = std::max(peakKiB, kiB);
    }
    constexpr double kMiB = 1 << 20;
    const double budget = 2.0 * static_cast<double>(g.largestScene + g.database) + 8 * kMiB;
    state.counters["peak_rss_MiB"] = static_cast<double>(peakKiB) * 1024 / kMiB;
    state.counters["budget_MiB"] = budget / kMiB;
    state.counters["peak_per_budget"] = static_cast<double>(peakKiB) * 1024 / budget;
}
BENCHMARK(BM_ConsolePeakMemory)->Arg(40)->Arg(400)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif
}  // namespace
}  // namespace pellwise
