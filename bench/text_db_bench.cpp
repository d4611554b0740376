// The text database at the size of a real game's (200 000 entries) and the
// text-reference rewrite over long script texts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "gamedata/game_context.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "gamedata/text_references.h"
#include "services/message_service.h"
#include "services/settings_file.h"

namespace pellwise {
namespace {

using bench::SilentMessages;

constexpr uint32_t kEntries = 200000;
constexpr int kLookups = 20000;

void PutLe32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
}

std::string GameText(uint32_t i) { return "Line " + std::to_string(i) + " of the game's dialogue, somewhat long"; }

std::filesystem::path BenchFile(const std::string& name) { return bench::RunFolder() / name; }

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A database file of kEntries texts with IDs 1, 2, 3, ... in a temporary folder.
const std::string& DatabasePath() {
    static const std::string path = [] {
        std::string table;
        std::string texts;
        PutLe32(table, kEntries);
        PutLe32(table, 0);
        uint32_t offset = 8 + 8 * kEntries;
        for (uint32_t i = 0; i < kEntries; ++i) {
            const std::string text = GameText(i);
            PutLe32(table, i + 1);
            PutLe32(table, offset);
            texts += text;
            texts += '\0';
            offset += static_cast<uint32_t>(text.size()) + 1;
        }
        const std::filesystem::path file = BenchFile("pellwise-bench-textdb.def");
        WriteFile(file, table + texts);
        return file.string();
    }();
    return path;
}

// Save needs an existing file; it writes beside the source so every run loads the same database.
const std::string& SaveTargetPath() {
    static const std::string path = [] {
        const std::filesystem::path file = BenchFile("pellwise-bench-textdb-saved.def");
        WriteFile(file, "");
        return file.string();
    }();
    return path;
}

void LoadAndSave(benchmark::State& state, int lookups) {
    SilentMessages messages;
    DatabasePath();
    SaveTargetPath();
    for (auto _ : state) {
        TextDB db;
        if (!Load(db, DatabasePath(), messages)) state.SkipWithError("load failed");
        // Half of the texts are the game's own, half are new.
        for (int i = 0; i < lookups; ++i) {
            std::string text = i % 2 == 0 ? GameText(static_cast<uint32_t>(i) * 7) : "New text " + std::to_string(i);
            benchmark::DoNotOptimize(FindOrAdd(db, text, messages));
        }
        if (!Save(db, SaveTargetPath(), messages)) state.SkipWithError("save failed");
    }
}

void BM_TextDBLoadSave(benchmark::State& state) { LoadAndSave(state, 0); }
void BM_TextDBLoadFindOrAddSave(benchmark::State& state) { LoadAndSave(state, kLookups); }
void BM_TextDBLoad(benchmark::State& state) {
    SilentMessages messages;
    DatabasePath();
    for (auto _ : state) {
        TextDB db;
        if (!Load(db, DatabasePath(), messages)) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_TextDBLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextDBLoadSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextDBLoadFindOrAddSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// A type-5 definition whose text is `length` bytes with `markers` placeholders
// spread evenly, naming 50 different texts.
Block ScriptDefinition(size_t length, int markers) {
    std::string text(length, 'a');
    const size_t step = length / static_cast<size_t>(markers);
    for (int m = 0; m < markers; ++m) {
        const std::string key = "#@$&" + std::to_string(100000 + m % 50);
        text.replace(static_cast<size_t>(m) * step, key.size(), key);
    }
    std::string data = std::string(14, 'x') + text + '\0';
    std::string chunk;
    auto addChunk = [&chunk](uint16_t id, const std::string& payload) {
        chunk += static_cast<char>(id);
        chunk += static_cast<char>(id >> 8);
        PutLe32(chunk, static_cast<uint32_t>(payload.size() + 6));
        chunk += payload;
    };
    std::string type;
    PutLe32(type, kScriptDefinition);
    addChunk(kDefinitionNameChunk, std::string("Script", 7));
    addChunk(kDefinitionTypeChunk, type);
    addChunk(kDefinitionDataChunk, data);
    std::string definition;
    std::swap(definition, chunk);
    addChunk(kChunkDefinition, definition);
    return Block(chunk.begin(), chunk.end());
}

void BM_RewriteTextReferences(benchmark::State& state) {
    const std::filesystem::path ini = BenchFile("pellwise-bench-NewTexts.ini");
    std::string content = "[texts]\n";
    for (int k = 0; k < 50; ++k)
        content += "#@$&" + std::to_string(100000 + k) + "=Mod text " + std::to_string(k) + "\n";
    WriteFile(ini, content);

    SilentMessages messages;
    SettingsFile newTexts(ini.string());
    TextDB db;
    db.Append("first", 1);
    db.Append("last", 2);
    GameContext context{messages, &db, &newTexts, {}, {}};
    const Block definition = ScriptDefinition(static_cast<size_t>(state.range(0)), static_cast<int>(state.range(1)));
    SceneFile scene;
    for (auto _ : state) {
        scene.Difinitions.Chunks.assign(1, definition);  // the rewrite works in place
        RewriteTextReferences(scene, 0, context);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RewriteTextReferences)
    ->Args({1 << 20, 1000})
    ->Args({2 << 20, 1000})
    ->Args({1 << 20, 2000})
    ->Args({2 << 20, 2000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pellwise
