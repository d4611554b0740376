// FileStream read the way the scene reader reads a 16 MiB scene file: a
// 2-byte chunk id, a 4-byte chunk size, then a short relative seek over the
// chunk's payload. Beside it the same walk with one system call per read (what
// FileStream would cost without its buffer), plain 2- and 4-byte reads, and one
// read() of the whole file,
// the floor any reader of the file stands on.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "services/file_stream.h"

namespace {

constexpr size_t kFileSize = 16 << 20;
constexpr int kChunkHead = 6;

// Chunks with payloads of 0 to 26 bytes: the seeks stay short, as between the
// fields of the scene's object chunks.
std::vector<uint8_t> ChunkBytes() {
    std::mt19937 random(2002);
    std::vector<uint8_t> bytes;
    bytes.reserve(kFileSize);
    while (bytes.size() + kChunkHead + 26 <= kFileSize) {
        const uint32_t size = kChunkHead + random() % 27;
        const uint8_t head[kChunkHead] = {0x10, 0x40, static_cast<uint8_t>(size), 0, 0, 0};
        bytes.insert(bytes.end(), head, head + kChunkHead);
        bytes.resize(bytes.size() + size - kChunkHead, 0xAB);
    }
    bytes.resize(kFileSize, 0);  // the tail: chunks of size 0 end the walk
    return bytes;
}

// The benchmark file, written once and removed when the program ends.
class BenchFile {
public:
    BenchFile() : path_((pellwise::bench::RunFolder() / "file-stream-bench.bin").string()) {
        const std::vector<uint8_t> bytes = ChunkBytes();
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    ~BenchFile() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const std::string& FilePath() {
    static const BenchFile file;
    return file.Path();
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

void BM_ChunkWalkThroughFileStream(benchmark::State& state) {
    for (auto _ : state) {
        pellwise::FileStream stream = pellwise::FileStream::OpenForReading(FilePath());
        uint16_t id = 0;
        uint8_t size[4] = {};
        int chunks = 0;
        while (stream.Read(&id, 2) == 2 && stream.Read(size, 4) == 4 && Le32(size) >= kChunkHead) {
            stream.Seek(static_cast<int32_t>(Le32(size)) - kChunkHead, pellwise::SeekOrigin::Current);
            ++chunks;
        }
        benchmark::DoNotOptimize(chunks);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(BM_ChunkWalkThroughFileStream)->Unit(benchmark::kMillisecond);

void BM_SmallReadsThroughFileStream(benchmark::State& state) {
    std::vector<uint8_t> field(4);
    for (auto _ : state) {
        pellwise::FileStream stream = pellwise::FileStream::OpenForReading(FilePath());
        uint64_t sum = 0;
        for (int n = 2; stream.Read(field.data(), n) == n; n = 6 - n) sum += field[0];
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(BM_SmallReadsThroughFileStream)->Unit(benchmark::kMillisecond);

// Walks only the first MiB: the whole file would take seconds per iteration.
void BM_ChunkWalkOneSystemCallPerRead(benchmark::State& state) {
    constexpr off_t kWalked = 1 << 20;
    for (auto _ : state) {
        const int fd = open(FilePath().c_str(), O_RDONLY);
        uint16_t id = 0;
        uint8_t size[4] = {};
        off_t at = 0;
        while (at < kWalked && read(fd, &id, 2) == 2 && read(fd, size, 4) == 4 && Le32(size) >= kChunkHead)
            at = lseek(fd, static_cast<off_t>(Le32(size)) - kChunkHead, SEEK_CUR);
        close(fd);
        benchmark::DoNotOptimize(at);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWalked);
}
BENCHMARK(BM_ChunkWalkOneSystemCallPerRead)->Unit(benchmark::kMillisecond);

void BM_WholeFileInOneRead(benchmark::State& state) {
    std::vector<char> buffer(kFileSize);
    for (auto _ : state) {
        const int fd = open(FilePath().c_str(), O_RDONLY);
        benchmark::DoNotOptimize(read(fd, buffer.data(), buffer.size()));
        close(fd);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(BM_WholeFileInOneRead)->Unit(benchmark::kMillisecond);

}  // namespace
