#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pellwise {

// What an object file (*.dnc, one chunk) gets wrong. Errors are what the
// installer itself trips over (sizes and names); warnings are departures from
// the layouts the game and the public readers of its formats expect, which the
// installer carries over unseen. Offsets count from the file's first byte.
struct LayoutFinding {
    bool Error = false;
    uint64_t Offset = 0;
    std::string What;  // windows-1251 where a name is quoted
    std::string Fix;
};

// The object types the game's scenes hold (the type chunk 0x4011).
bool IsKnownObjectType(uint32_t type);

// Checks the file's chunk: its size against the file, the nested sizes and
// the name, then the layout of its kind.
std::vector<LayoutFinding> CheckObjectFile(std::span<const uint8_t> file);

// A script definition's text as the installer finds it: from data byte 20 to
// the first NUL or the chunk's end; TextOffset counts from the chunk's start.
struct DefinitionScript {
    uint32_t Type = 0;
    size_t TextOffset = 0;
    std::string Text;
};
std::optional<DefinitionScript> ReadDefinitionScript(std::span<const uint8_t> chunk);

// A text marker ("#@$&" and six more characters) and what the installer does
// with it.
enum class MarkerFate {
    Rewritten,   // becomes a 10-digit reference to its text
    CutShort,    // fewer than 6 characters follow before the text ends
    NotAScript,  // the definition's type is not 5
    NoText,      // the definition's data is too small to hold a text
    NotADefinition,
};
struct TextMarker {
    size_t Offset = 0;  // in the chunk
    std::string Key;    // up to 10 bytes, as the installer would look it up
    MarkerFate Fate = MarkerFate::Rewritten;
};
std::vector<TextMarker> FindTextMarkers(std::span<const uint8_t> chunk);

// Why a marker is not rewritten, in a few words; empty for Rewritten.
const char* MarkerFateText(MarkerFate fate);

}  // namespace pellwise
