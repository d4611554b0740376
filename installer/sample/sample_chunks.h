#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellwise {

// Builds little-endian chunk bytes for the sample game: the size of each
// opened chunk is written as a placeholder and filled in when it closes. It
// knows nothing of the scene model, so what it writes is an independent
// expectation for the reader and writer.
class ChunkWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void Raw(std::string_view bytes);
    void Text(std::string_view text);  // the text and one NUL
    void Fill(size_t n, uint32_t seed);

    void Begin(uint16_t id);
    void End();

    size_t Size() const { return bytes_.size(); }
    bool Balanced() const { return open_.empty(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::string_view View() const { return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()}; }

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};

// Chunks of the kinds the installer tells apart, laid out as the game has them:
// an object's type chunk before its name, a script's length at data bytes 10
// to 13 before the script, an entry 0xAE51 as flag 0x01, name and script.
std::vector<uint8_t> SampleObjectChunk(std::string_view name, uint32_t seed, size_t padding);
std::vector<uint8_t> SampleDefinitionChunk(std::string_view name, uint32_t type, std::string_view text);
std::vector<uint8_t> SampleEntryAE51(std::string_view name, std::string_view script);
std::vector<uint8_t> SampleEntryAE03(uint32_t seed);

// Offset of a type-5 definition's text inside the chunk SampleDefinitionChunk builds.
size_t SampleDefinitionTextOffset(std::string_view name);

}  // namespace pellwise
