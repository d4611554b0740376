#include "installer/sample/sample_chunks.h"

#include <cstring>
#include <iterator>

namespace pellwise {

void ChunkWriter::U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
}

void ChunkWriter::U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
}

void ChunkWriter::Raw(std::string_view bytes) {
    const size_t at = bytes_.size();
    bytes_.resize(at + bytes.size());
    if (!bytes.empty()) std::memcpy(bytes_.data() + at, bytes.data(), bytes.size());
}

void ChunkWriter::Text(std::string_view text) {
    Raw(text);
    U8(0);
}

void ChunkWriter::Fill(size_t n, uint32_t seed) {
    // A cheap generator: the bytes look like data, not like a repeated pattern.
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        U8(static_cast<uint8_t>(x));
    }
}

void ChunkWriter::Begin(uint16_t id) {
    open_.push_back(bytes_.size());
    U16(id);
    U32(0);
}

void ChunkWriter::End() {
    const size_t start = open_.back();
    open_.pop_back();
    const auto size = static_cast<uint32_t>(bytes_.size() - start);
    for (int i = 0; i < 4; ++i) bytes_[start + 2 + i] = static_cast<uint8_t>(size >> (8 * i));
}

std::vector<uint8_t> SampleObjectChunk(std::string_view name, uint32_t seed, size_t padding) {
    // The game's object types: lights, cameras, sounds, models and the rest.
    static constexpr uint32_t kTypes[] = {2, 3, 4, 6, 9, 12, 14};
    ChunkWriter w;
    w.Begin(0x4010);
    w.Begin(0x4011);  // the type comes first, as the game writes it
    w.U32(kTypes[seed % std::size(kTypes)]);
    w.End();
    w.Begin(0x0010);
    w.Text(name);
    w.End();
    w.Begin(0x0020);  // position
    w.Fill(12, seed);
    w.End();
    w.Begin(0x0022);  // rotation
    w.Fill(16, seed + 1);
    w.End();
    w.Begin(0x002D);  // scale
    w.Fill(12, seed + 2);
    w.End();
    if (padding > 0) {
        w.Begin(0x4033);  // model data, opaque to the installer
        w.Fill(padding, seed + 3);
        w.End();
    }
    w.End();
    return w.Bytes();
}

std::vector<uint8_t> SampleDefinitionChunk(std::string_view name, uint32_t type, std::string_view text) {
    ChunkWriter w;
    w.Begin(0xAE21);
    w.Begin(0xAE23);
    w.Text(name);
    w.End();
    w.Begin(0xAE22);
    w.U32(type);
    w.End();
    w.Begin(0xAE24);
    w.Fill(10, static_cast<uint32_t>(name.size()));  // the script's head, not looked at
    w.U32(static_cast<uint32_t>(text.size()));       // the script's length, then the script
    w.Raw(text);
    w.End();
    w.End();
    return w.Bytes();
}

size_t SampleDefinitionTextOffset(std::string_view name) {
    const size_t nameChunk = 6 + name.size() + 1;
    const size_t typeChunk = 6 + 4;
    return 6 + nameChunk + typeChunk + 6 + 14;
}

std::vector<uint8_t> SampleEntryAE51(std::string_view name, std::string_view script) {
    ChunkWriter w;
    w.Begin(0xAE51);
    w.U8(0x01);
    w.U32(static_cast<uint32_t>(name.size() + 1));
    w.Text(name);
    w.U32(static_cast<uint32_t>(script.size()));
    w.Raw(script);
    w.End();
    return w.Bytes();
}

std::vector<uint8_t> SampleEntryAE03(uint32_t seed) {
    ChunkWriter w;
    w.Begin(0xAE03);
    w.Fill(20, seed);
    w.End();
    return w.Bytes();
}

}  // namespace pellwise
