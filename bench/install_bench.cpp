// The whole install (20 missions of 4 MiB, a 100 000-entry text database)
// beside its floor, a plain copy of the same files, measured in the same run.
// Heap use is counted by replacing the global allocation functions.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <vector>

#include "bench/bench_support.h"
#include "installer/engine/installer.h"
#include "installer/engine/restore.h"
#include "installer/sample/sample_game.h"
#include "services/atomic_file.h"
#include "services/file_stream.h"
#include "services/message_service.h"
#include "services/whole_file.h"

namespace {

std::atomic<size_t> heapNow{0};
std::atomic<size_t> heapPeak{0};

void Count(void* p) {
    if (!p) return;
    const size_t now = heapNow += malloc_usable_size(p);
    size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
}

void* Allocate(size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    Count(p);
    return p;
}

void Release(void* p) {
    if (!p) return;
    heapNow -= malloc_usable_size(p);
    std::free(p);
}

}  // namespace

void* operator new(size_t n) { return Allocate(n); }
void* operator new[](size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }

namespace pellwise {
namespace {

using bench::AnswerYes;

namespace fs = std::filesystem;

constexpr int kMissions = 20;
constexpr uint32_t kSceneSize = 4u << 20;
constexpr int kEntries = 100000;

struct BenchGame {
    fs::path pristine = bench::RunFolder() / "install" / "pristine";
    fs::path work = bench::RunFolder() / "install" / "work";
    fs::path copy = bench::RunFolder() / "install" / "copy";
    SampleGame game;
    std::vector<std::string> files;  // the scenes and the database, relative to the game folder
    uint64_t largestScene = 0;
    uint64_t database = 0;

    BenchGame() {
        fs::remove_all(pristine.parent_path());
        SampleOptions options;
        options.Missions = kMissions;
        options.SceneSize = kSceneSize;
        options.TextDbEntries = kEntries;
        std::string error;
        if (!GenerateSampleGame(pristine.string(), options, game, error)) throw std::runtime_error(error);
        for (const SampleMission& m : game.Missions) {
            files.push_back(fs::relative(m.ScenePath, pristine).string());
            largestScene = std::max<uint64_t>(largestScene, m.SceneSize);
        }
        files.push_back(fs::relative(game.TextDbPath, pristine).string());
        database = fs::file_size(game.TextDbPath);
    }

    void Reset() {
        fs::remove_all(work);
        fs::remove_all(copy);
        fs::copy(pristine, work, fs::copy_options::recursive);
        // Neither the copy nor the install is to pay for writing back the
        // setup's pages when it flushes its own files.
        sync();
    }
};

BenchGame& Game() {
    static BenchGame game;
    return game;
}

// The floor: every byte of the files an install rewrites read once and
// written once, through the same replace-in-one-step writer. One buffer
// serves every file, so the floor pays no page faults of fresh memory.
double PlainCopySeconds(BenchGame& g) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<char> buffer;
    for (const std::string& file : g.files) {
        FileStream in = FileStream::OpenForReading((g.work / file).string());
        const size_t size = in.Size();
        if (buffer.size() < size) buffer.resize(size);
        if (!ReadFully(in, buffer.data(), size)) throw std::runtime_error("the copy could not read " + file);
        const fs::path target = g.copy / file;
        fs::create_directories(target.parent_path());
        WriteFileAtomically(target.string(), {buffer.data(), size});
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_InstallBesideCopy(benchmark::State& state) {
    BenchGame& g = Game();
    double copySeconds = 0, installSeconds = 0, wizardSeconds = 0;
    size_t peak = 0, wizardPeak = 0;
    for (auto _ : state) {
        g.Reset();
        copySeconds += PlainCopySeconds(g);
        AnswerYes messages;
        const size_t before = heapNow.load();
        heapPeak = before;
        const auto start = std::chrono::steady_clock::now();
        Installer installer((g.work / "Tarnwick").string(), g.work.string(), messages);
        if (!installer.StartWizard().Ok()) state.SkipWithError("wizard stopped");
        wizardSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        wizardPeak = std::max(wizardPeak, heapPeak.load() - before);
        PatchOptions options;
        options.Overwrite = Answer::Yes;
        options.ReplaceFiles = Answer::Yes;
        const PatchReport report = installer.RunPatch(installer.Missions(), options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!report.Succeeded()) state.SkipWithError("install failed");
        installSeconds += seconds;
        peak = std::max(peak, heapPeak.load() - before);
        state.SetIterationTime(seconds);
    }
    const double n = static_cast<double>(state.iterations());
    constexpr double kMiB = 1 << 20;
    state.counters["copy_s"] = copySeconds / n;
    state.counters["install_s"] = installSeconds / n;
    state.counters["wizard_s"] = wizardSeconds / n;
    state.counters["wizard_peak_heap_MiB"] = static_cast<double>(wizardPeak) / kMiB;
    state.counters["install_per_copy"] = installSeconds / copySeconds;
    state.counters["peak_heap_MiB"] = static_cast<double>(peak) / kMiB;
    state.counters["scene_plus_db_MiB"] = static_cast<double>(g.largestScene + g.database) / kMiB;
    state.counters["peak_per_scene_plus_db"] =
        static_cast<double>(peak) / static_cast<double>(g.largestScene + g.database);
    state.counters["bytes_installed"] = static_cast<double>(kMissions) * kSceneSize;
}
BENCHMARK(BM_InstallBesideCopy)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The restore of that install (its originals back through hard links, the
// files it created removed) beside the same copy floor.
void BM_RestoreBesideCopy(benchmark::State& state) {
    BenchGame& g = Game();
    double copySeconds = 0, restoreSeconds = 0;
    for (auto _ : state) {
        g.Reset();
        {
            AnswerYes messages;
            Installer installer((g.work / "Tarnwick").string(), g.work.string(), messages);
            PatchOptions options;
            options.Overwrite = Answer::Yes;
            options.ReplaceFiles = Answer::Yes;
            if (!installer.StartWizard().Ok() || !installer.RunPatch(installer.Missions(), options).Succeeded())
                state.SkipWithError("install failed");
        }
        sync();
        copySeconds += PlainCopySeconds(g);
        const auto start = std::chrono::steady_clock::now();
        const RestoreReport report = RestoreGame(g.work.string(), {});
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (report.Outcome != RestoreOutcome::Restored) state.SkipWithError("restore failed");
        restoreSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["copy_s"] = copySeconds / n;
    state.counters["restore_s"] = restoreSeconds / n;
    state.counters["restore_per_copy"] = restoreSeconds / copySeconds;
}
BENCHMARK(BM_RestoreBesideCopy)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Memory must not grow with the number of missions: the same install over
// 5 and over 20 missions.
void BM_PeakHeapByMissionCount(benchmark::State& state) {
    BenchGame& g = Game();
    const auto count = static_cast<size_t>(state.range(0));
    size_t peak = 0;
    for (auto _ : state) {
        g.Reset();
        AnswerYes messages;
        const size_t before = heapNow.load();
        heapPeak = before;
        Installer installer((g.work / "Tarnwick").string(), g.work.string(), messages);
        if (!installer.StartWizard().Ok()) state.SkipWithError("wizard stopped");
        std::vector<std::string> some(installer.Missions().begin(),
                                      installer.Missions().begin() + static_cast<long>(count));
        PatchOptions options;
        options.Overwrite = Answer::Yes;
        options.ReplaceFiles = Answer::Yes;
        benchmark::DoNotOptimize(installer.RunPatch(some, options));
        peak = std::max(peak, heapPeak.load() - before);
    }
    state.counters["missions"] = static_cast<double>(count);
    state.counters["peak_heap_MiB"] = static_cast<double>(peak) / (1 << 20);
}
BENCHMARK(BM_PeakHeapByMissionCount)->Arg(5)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellwise
