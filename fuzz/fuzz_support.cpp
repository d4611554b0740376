#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gamedata/byte_reader.h"

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

void PutHead(std::string& out, uint16_t id, uint32_t size) {
    uint8_t head[6];
    PutU16(head, id);
    PutU32(head + 2, size);
    out.append(reinterpret_cast<const char*>(head), sizeof head);
}

std::string Text(const Block& block) { return std::string(block.begin(), block.end()); }

void ExpectSameList(const SectionList& a, const SectionList& b, bool compareSize, const std::string& what) {
    if (a.Chunks.size() != b.Chunks.size())
        Broken(what + ": " + std::to_string(a.Chunks.size()) + " chunks, then " + std::to_string(b.Chunks.size()));
    for (size_t i = 0; i < a.Chunks.size(); ++i)
        if (a.Chunks[i] != b.Chunks[i]) Broken(what + ": chunk " + std::to_string(i) + " differs");
    if (compareSize && a.Size != b.Size)
        Broken(what + ": Size " + std::to_string(a.Size) + ", then " + std::to_string(b.Size));
}

uint64_t SumOfChunks(const SectionList& list, const std::string& what) {
    uint64_t sum = 0;
    for (const Block& block : list.Chunks) {
        const uint32_t size = ChunkSize(block);
        if (size < 6 || size != block.size())
            Broken(what + ": a block of " + std::to_string(block.size()) + " bytes says " + std::to_string(size));
        sum += size;
    }
    return sum;
}

}  // namespace

const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

std::string WriteScratch(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) Broken("cannot write the scratch file " + path);
    return path;
}

std::string WriteScratch(const std::string& name, const uint8_t* data, size_t size) {
    return WriteScratch(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

void Broken(const std::string& what) {
    std::fprintf(stderr, "\n*** broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

void ExpectSameScene(const SceneFile& a, const SceneFile& b, const char* where) {
    const std::string w = where;
    if (a.TotalSize != b.TotalSize)
        Broken(w + ": TotalSize " + std::to_string(a.TotalSize) + ", then " + std::to_string(b.TotalSize));
    ExpectSameList(a.HeaderChunks, b.HeaderChunks, false, w + ": head chunks");
    ExpectSameList(a.Objects, b.Objects, true, w + ": section 0x4000");
    ExpectSameList(a.Difinitions, b.Difinitions, true, w + ": section 0xAE20");
    ExpectSameList(a.SectionAE50, b.SectionAE50, true, w + ": section 0xAE50");
    ExpectSameList(a.SectionAE02, b.SectionAE02, true, w + ": section 0xAE02");
    if (a.UnknownSections.size() != b.UnknownSections.size()) Broken(w + ": unknown sections differ in number");
    for (size_t i = 0; i < a.UnknownSections.size(); ++i)
        if (a.UnknownSections[i].Id != b.UnknownSections[i].Id ||
            a.UnknownSections[i].Bytes != b.UnknownSections[i].Bytes)
            Broken(w + ": unknown section " + std::to_string(i) + " differs");
}

void ExpectConsistentScene(const SceneFile& scene, bool fileHead, const char* where) {
    const std::string w = where;
    uint64_t total = (fileHead ? 6 : 0) + SumOfChunks(scene.HeaderChunks, w + ": head chunks");
    const std::pair<const SectionList*, const char*> lists[] = {{&scene.Objects, "0x4000"},
                                                                {&scene.Difinitions, "0xAE20"},
                                                                {&scene.SectionAE50, "0xAE50"},
                                                                {&scene.SectionAE02, "0xAE02"}};
    for (const auto& [list, name] : lists) {
        const uint64_t sum = SumOfChunks(*list, w + ": section " + name);
        if (list->Size == 0 && list->Chunks.empty()) continue;
        if (list->Size != 6 + sum)
            Broken(w + ": section " + name + " has Size " + std::to_string(list->Size) + " for " + std::to_string(sum) +
                   " bytes of chunks");
        total += list->Size;
    }
    for (const RawSection& section : scene.UnknownSections) total += section.Bytes.size();
    if (total != scene.TotalSize)
        Broken(w + ": TotalSize " + std::to_string(scene.TotalSize) + " for " + std::to_string(total) + " bytes");
}

Block MakeChunk(uint16_t id, std::string_view payload) {
    std::string out;
    PutHead(out, id, static_cast<uint32_t>(payload.size() + 6));
    out += payload;
    return Block(out.begin(), out.end());
}

Block MakeObject(std::string_view name) {
    const Block nameChunk = MakeChunk(0x0010, std::string(name) + '\0');
    const Block body = MakeChunk(0x0020, "pos:0,0,0");
    return MakeChunk(kChunkObject, Text(nameChunk) + Text(body));
}

Block MakeDefinition(std::string_view name, uint32_t type, std::string_view text) {
    uint8_t typeBytes[4];
    PutU32(typeBytes, type);
    const Block nameChunk = MakeChunk(0xAE23, std::string(name) + '\0');
    const Block typeChunk = MakeChunk(0xAE22, std::string(reinterpret_cast<const char*>(typeBytes), 4));
    const Block dataChunk = MakeChunk(0xAE24, std::string(14, '\x01') + std::string(text) + '\0');
    return MakeChunk(kChunkDefinition, Text(nameChunk) + Text(typeChunk) + Text(dataChunk));
}

Block MakeEntryAE51(std::string_view name) {
    uint8_t length[4];
    PutU32(length, static_cast<uint32_t>(name.size()));
    return MakeChunk(
        kChunkAE51, std::string(1, '\x07') + std::string(reinterpret_cast<const char*>(length), 4) + std::string(name));
}

std::string MakeSceneImage(const std::vector<std::pair<uint16_t, std::vector<Block>>>& sections) {
    std::string body;
    for (const auto& [id, chunks] : sections) {
        std::string content;
        for (const Block& chunk : chunks) content += Text(chunk);
        PutHead(body, id, static_cast<uint32_t>(content.size() + 6));
        body += content;
    }
    std::string image;
    PutHead(image, kSceneSignature, static_cast<uint32_t>(body.size() + 6));
    return image + body;
}

}  // namespace pellwise::fuzz
