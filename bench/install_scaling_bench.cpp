// How the cost of an install grows: with the number of missions patched (1 to
// 20 scenes of 1 MiB) and with the size of the game's text database (1 000 to
// 200 000 entries). Each iteration measures, beside the install, its floor on
// the same files: a plain copy of every file the install rewrites (read whole,
// written through the same replace-in-one-step writer), and for the database
// Load + Save alone. Both must grow in step with the install, linearly.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "bench/bench_support.h"
#include "gamedata/text_db.h"
#include "installer/engine/installer.h"
#include "installer/sample/sample_game.h"
#include "services/atomic_file.h"
#include "services/message_service.h"
#include "services/whole_file.h"

namespace pellwise {
namespace {

using bench::AnswerYes;
using bench::SecondsSince;

namespace fs = std::filesystem;

// A generated game kept untouched in `pristine`; each iteration installs into
// a fresh copy of it.
struct ScalingGame {
    fs::path root;
    SampleGame game;

    ScalingGame(const std::string& name, int missions, uint32_t sceneSize, int entries)
        : root(bench::RunFolder() / name) {
        fs::remove_all(root);
        SampleOptions options;
        options.Missions = missions;
        options.SceneSize = sceneSize;
        options.TextDbEntries = entries;
        std::string error;
        if (!GenerateSampleGame((root / "pristine").string(), options, game, error)) throw std::runtime_error(error);
    }
    ~ScalingGame() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    fs::path Work() const { return root / "work"; }
    // The work copy's path of a file of the pristine game.
    fs::path InWork(const std::string& pristinePath) const {
        return Work() / fs::relative(pristinePath, root / "pristine");
    }

    void Reset() const {
        fs::remove_all(Work());
        fs::remove_all(root / "copy");
        fs::copy(root / "pristine", Work(), fs::copy_options::recursive);
        // Neither the floor nor the install is to pay for writing back the
        // setup's pages when it flushes its own files.
        sync();
    }

    // The floor: the files an install of the first `missions` rewrites, read
    // whole and written through the same atomic writer.
    double PlainCopySeconds(int missions) const {
        std::vector<std::string> files{game.TextDbPath};
        for (int i = 0; i < missions; ++i) files.push_back(game.Missions[static_cast<size_t>(i)].ScenePath);
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& file : files) {
            const auto bytes = ReadWholeFile(InWork(file).string());
            const fs::path target = root / "copy" / fs::relative(file, root / "pristine");
            fs::create_directories(target.parent_path());
            WriteFileAtomically(target.string(), {reinterpret_cast<const char*>(bytes->data()), bytes->size()});
        }
        return SecondsSince(start);
    }

    // The database's own floor: Load and Save alone, over the work copy.
    double LoadSaveSeconds() const {
        AnswerYes messages;
        const std::string path = InWork(game.TextDbPath).string();
        const auto start = std::chrono::steady_clock::now();
        TextDB db;
        if (!Load(db, path, messages) || !Save(db, path, messages)) throw std::runtime_error("database floor");
        return SecondsSince(start);
    }

    // The whole install (checks, object store, patch run) of the first `missions`.
    double InstallSeconds(int missions) const {
        AnswerYes messages;
        const auto start = std::chrono::steady_clock::now();
        Installer installer((Work() / "Tarnwick").string(), Work().string(), messages);
        if (!installer.StartWizard().Ok()) throw std::runtime_error("the wizard stopped");
        const std::vector<std::string> chosen(installer.Missions().begin(), installer.Missions().begin() + missions);
        PatchOptions options;
        options.Overwrite = Answer::Yes;
        options.ReplaceFiles = Answer::Yes;
        if (!installer.RunPatch(chosen, options).Succeeded()) throw std::runtime_error("the install failed");
        return SecondsSince(start);
    }
};

const ScalingGame& Game(const std::string& name, int missions, uint32_t sceneSize, int entries) {
    static std::map<std::string, std::unique_ptr<ScalingGame>> games;
    auto& game = games[name];
    if (!game) game = std::make_unique<ScalingGame>(name, missions, sceneSize, entries);
    return *game;
}

void Report(benchmark::State& state, double installSeconds, double floorSeconds, double units) {
    const double n = static_cast<double>(state.iterations());
    state.counters["install_ms"] = installSeconds / n * 1e3;
    state.counters["floor_ms"] = floorSeconds / n * 1e3;
    state.counters["install_per_floor"] = installSeconds / floorSeconds;
    state.counters["units"] = units;
}

// 1 to 20 missions of one game (20 scenes of 1 MiB, 20 000 entries).
void BM_InstallByMissions(benchmark::State& state) {
    const int missions = static_cast<int>(state.range(0));
    const ScalingGame& g = Game("missions", 20, 1u << 20, 20000);
    double install = 0, floor = 0;
    for (auto _ : state) {
        g.Reset();
        floor += g.PlainCopySeconds(missions);
        const double seconds = g.InstallSeconds(missions);
        install += seconds;
        state.SetIterationTime(seconds);
    }
    Report(state, install, floor, missions);
}
BENCHMARK(BM_InstallByMissions)
    ->Arg(1)
    ->Arg(2)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Databases of 1 000 to 200 000 entries, one mission of 64 KiB.
void BM_InstallByEntries(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    const ScalingGame& g = Game("entries-" + std::to_string(entries), 1, 64u << 10, entries);
    double install = 0, floor = 0;
    for (auto _ : state) {
        g.Reset();
        floor += g.LoadSaveSeconds();
        const double seconds = g.InstallSeconds(1);
        install += seconds;
        state.SetIterationTime(seconds);
    }
    Report(state, install, floor, entries);
}
BENCHMARK(BM_InstallByEntries)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellwise
