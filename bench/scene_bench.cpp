// Load + save of a synthetic 8 MiB scene2.bin with 20 000 chunks, beside a
// plain copy of the same file (read whole, write whole, fsync, rename) as the
// floor that any safe rewrite of the file has to pay.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"
#include "services/message_service.h"

namespace pellwise {
namespace {

using bench::SilentMessages;

constexpr size_t kFileBytes = 8 << 20;
constexpr int kChunks = 20000;

void PutChunkHead(std::vector<uint8_t>& out, uint16_t id, uint32_t size) {
    const size_t at = out.size();
    out.resize(at + 6);
    PutU16(out.data() + at, id);
    PutU32(out.data() + at + 2, size);
}

// An object chunk of `size` bytes: a 0x0010 name chunk, then filler.
void PutObject(std::vector<uint8_t>& out, int index, uint32_t size) {
    const std::string name = "object" + std::to_string(index);
    const uint32_t nameChunk = static_cast<uint32_t>(6 + name.size() + 1);
    PutChunkHead(out, kChunkObject, size);
    PutChunkHead(out, 0x0010, nameChunk);
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    PutChunkHead(out, 0x0012, size - 6 - nameChunk);
    out.resize(out.size() + size - 12 - nameChunk, static_cast<uint8_t>(index));
}

// Four sections, the chunks spread over them, each chunk about 8 MiB / 20 000.
std::vector<uint8_t> SyntheticScene() {
    struct Plan {
        uint16_t section;
        int chunks;
    };
    const Plan plans[] = {
        {kSectionObjects, 14000}, {kSectionDefinitions, 4000}, {kSectionAE02, 1000}, {kSectionAE50, 1000}};
    const uint32_t chunkSize = static_cast<uint32_t>((kFileBytes - 6 - 4 * 6) / kChunks);
    std::vector<uint8_t> out;
    out.reserve(kFileBytes);
    PutChunkHead(out, kSceneSignature, 0);
    int index = 0;
    for (const Plan& plan : plans) {
        const size_t sectionStart = out.size();
        PutChunkHead(out, plan.section, 0);
        for (int i = 0; i < plan.chunks; ++i) PutObject(out, index++, chunkSize);
        PutU32(out.data() + sectionStart + 2, static_cast<uint32_t>(out.size() - sectionStart));
    }
    PutU32(out.data() + 2, static_cast<uint32_t>(out.size()));
    return out;
}

std::string WriteScene(const char* name) {
    const std::string path = (bench::RunFolder() / name).string();
    const std::vector<uint8_t> bytes = SyntheticScene();
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

void SceneLoadAndSave(benchmark::State& state) {
    const std::string path = WriteScene("pellwise-bench-scene2.bin");
    SilentMessages messages;
    SceneFile scene;
    for (auto _ : state) {
        if (!LoadFromFile(scene, path, messages) || !SaveToFile(scene, path, messages)) state.SkipWithError("failed");
        Clear(scene);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

bool ReadAll(int fd, std::vector<char>& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const std::vector<char>& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool PlainCopy(const std::string& path) {
    const int in = open(path.c_str(), O_RDONLY);
    if (in < 0) return false;
    std::vector<char> bytes(static_cast<size_t>(lseek(in, 0, SEEK_END)));
    lseek(in, 0, SEEK_SET);
    const bool read = ReadAll(in, bytes);
    close(in);
    const std::string temporary = path + ".copy";
    const int out = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) return false;
    const bool written = read && WriteAll(out, bytes) && fsync(out) == 0;
    close(out);
    return written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

void PlainCopyOfTheSameFile(benchmark::State& state) {
    const std::string path = WriteScene("pellwise-bench-copy.bin");
    for (auto _ : state)
        if (!PlainCopy(path)) state.SkipWithError("failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

BENCHMARK(SceneLoadAndSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PlainCopyOfTheSameFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pellwise
