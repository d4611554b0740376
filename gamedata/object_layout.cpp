#include "gamedata/object_layout.h"

#include <algorithm>
#include <string_view>

#include "gamedata/byte_reader.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_references.h"

namespace pellwise {
namespace {

constexpr uint32_t kHead = 6;
constexpr uint16_t kObjectNameChunk = 0x0010;
constexpr uint16_t kObjectTypeChunk = 0x4011;
// The script's length sits at data bytes 10 to 13 (after the data chunk's
// head), the script itself from byte 14.
constexpr uint32_t kScriptLengthField = kHead + 10;
constexpr uint32_t kScriptStart = kHead + 14;
constexpr uint8_t kEntryScriptFlag = 0x01;
constexpr std::string_view kMarker = "#@$&";

std::string Hex(uint32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
    return text;
}

class Checker {
public:
    explicit Checker(std::span<const uint8_t> file) : file_(file), reader_(file) {}

    std::vector<LayoutFinding> Run() {
        if (file_.size() < kHead) {
            Error(0, "the file is too short for a chunk head (" + std::to_string(file_.size()) + " bytes)",
                  "an object file holds one chunk: id (2 bytes), size (4 bytes), then its content");
            return std::move(findings_);
        }
        const uint16_t kind = reader_.U16(0);
        const uint32_t size = reader_.U32(2);
        if (size < kHead || size > file_.size()) {
            Error(2,
                  "the chunk's size field says " + std::to_string(size) + " bytes, the file has " +
                      std::to_string(file_.size()),
                  "write the chunk's whole size, its 6-byte head included, into bytes 2 to 5");
            return std::move(findings_);
        }
        if (size < file_.size())
            Warning(size, std::to_string(file_.size() - size) + " bytes after the chunk's end are ignored",
                    "cut the file at the chunk's size");
        chunk_ = file_.first(size);
        switch (kind) {
            case kChunkObject:
                CheckObject();
                break;
            case kChunkDefinition:
                CheckDefinition();
                break;
            case kChunkAE51:
                CheckEntry();
                break;
            case kChunkAE03:
                Warning(0, "an entry 0xAE03 is never installed into a mission", "leave the file out of the mod");
                break;
            default:
                Error(0, "chunk kind " + Hex(kind) + " belongs to no scene section; the installer leaves it out",
                      "object files hold an object 0x4010, a definition 0xAE21 or an entry 0xAE51");
        }
        return std::move(findings_);
    }

private:
    void Error(uint64_t at, std::string what, std::string fix) { findings_.push_back({true, at, what, fix}); }
    void Warning(uint64_t at, std::string what, std::string fix) { findings_.push_back({false, at, what, fix}); }

    struct Sub {
        uint16_t Id;
        uint32_t Offset;
        uint32_t Size;
    };

    // The chunks nested in the chunk, checked against its end; false at the
    // first whose size does not fit.
    bool Nested(std::vector<Sub>& subs) {
        ByteReader reader(chunk_);
        for (uint64_t at = kHead; at < chunk_.size();) {
            const uint32_t size = at + kHead <= chunk_.size() ? reader.U32(at + 2) : 0;
            if (size < kHead || at + size > chunk_.size()) {
                Error(at,
                      "the nested chunk at this offset claims " + std::to_string(size) + " bytes, " +
                          std::to_string(chunk_.size() - at) + " remain in its parent",
                      "every nested chunk's size counts its own 6-byte head and ends inside its parent");
                return false;
            }
            subs.push_back({reader.U16(at), static_cast<uint32_t>(at), size});
            at += size;
        }
        return true;
    }

    // A name chunk's text must end with a NUL inside the chunk.
    void CheckName(const Sub& name, const char* what) {
        const auto text = chunk_.subspan(name.Offset + kHead, name.Size - kHead);
        const auto nul = std::find(text.begin(), text.end(), 0);
        if (nul == text.end())
            Error(name.Offset, std::string(what) + " has no NUL inside its chunk",
                  "end the name with a 0 byte counted in the chunk's size");
        else if (nul == text.begin())
            Error(name.Offset, std::string(what) + " is empty", "give the chunk a name; names are matched per mission");
    }

    void CheckObject() {
        std::vector<Sub> subs;
        if (!Nested(subs)) return;
        // The installer takes the name from the first nested chunk, or else the second.
        const Sub* name = nullptr;
        for (size_t i = 0; i < subs.size() && i < 2 && !name; ++i)
            if (subs[i].Id == kObjectNameChunk) name = &subs[i];
        if (!name) {
            Error(kHead, "no name chunk 0x0010 as the first or second nested chunk",
                  "put the type chunk 0x4011 first and the name chunk 0x0010 second");
            return;
        }
        CheckName(*name, "the object's name");
        if (subs[0].Id != kObjectTypeChunk) {
            Warning(kHead,
                    "the first nested chunk is " + Hex(subs[0].Id) + "; the game's readers take the type chunk " +
                        "0x4011 first",
                    "move the type chunk 0x4011 before the name chunk");
        } else if (const uint32_t type = subs[0].Size >= kHead + 4 ? ByteReader(chunk_).U32(subs[0].Offset + kHead) : 0;
                   !IsKnownObjectType(type)) {
            Warning(subs[0].Offset, "object type " + std::to_string(type) + " is not one the game knows",
                    "use one of the game's object types 2, 3, 4, 6, 9, 12 or 14");
        }
    }

    void CheckDefinition() {
        std::vector<Sub> subs;
        if (!Nested(subs)) return;
        const uint16_t expected[] = {kDefinitionNameChunk, kDefinitionTypeChunk, kDefinitionDataChunk};
        for (size_t i = 0; i < 3; ++i) {
            if (i < subs.size() && subs[i].Id == expected[i]) continue;
            Error(i < subs.size() ? subs[i].Offset : chunk_.size(),
                  "nested chunk " + std::to_string(i + 1) + " is not " + Hex(expected[i]),
                  "a definition holds its name 0xAE23, its type 0xAE22 and its data 0xAE24, in that order");
            return;
        }
        CheckName(subs[0], "the definition's name");
        const uint32_t type = subs[1].Size >= kHead + 4 ? ByteReader(chunk_).U32(subs[1].Offset + kHead) : 0;
        if (type == 0 || type > 0xFF)
            Warning(subs[1].Offset, "definition type " + std::to_string(type) + " is not one the game knows",
                    "the type chunk 0xAE22 holds the definition's type as 4 bytes; scripts are type 5");
        if (type == kScriptDefinition) CheckScriptLength(subs[2]);
    }

    void CheckScriptLength(const Sub& data) {
        if (data.Size < kScriptStart) {
            Warning(data.Offset, "the script's data chunk is too short for its length field",
                    "data bytes 10 to 13 hold the script's length, the script starts at byte 14");
            return;
        }
        const auto script = chunk_.subspan(data.Offset + kScriptStart, data.Size - kScriptStart);
        const auto length = static_cast<uint32_t>(std::find(script.begin(), script.end(), 0) - script.begin());
        const uint32_t field = ByteReader(chunk_).U32(data.Offset + kScriptLengthField);
        if (field != length)
            Warning(data.Offset + kScriptLengthField,
                    "the script's length field says " + std::to_string(field) + ", the script has " +
                        std::to_string(length) + " bytes; the game's readers take that many bytes as the script",
                    "write the script's length into data bytes 10 to 13");
    }

    // flag 0x01, name length, name, script length, script, and nothing more.
    void CheckEntry() {
        ByteReader reader(chunk_);
        const uint64_t nameLength = reader.U32(kHead + 1);
        const uint64_t nameAt = kHead + 5;
        if (!reader.Ok() || nameAt + nameLength > chunk_.size()) {
            Error(kHead + 1, "the entry's name length runs past the chunk's end",
                  "an entry 0xAE51 holds a flag byte, the name's length (4 bytes) and the name");
            return;
        }
        const auto name = chunk_.subspan(nameAt, nameLength);
        if (name.empty() || name[0] == 0)
            Error(nameAt, "the entry's name is empty", "give the entry a name; names are matched per mission");
        const uint64_t scriptLengthAt = nameAt + nameLength;
        const uint64_t scriptLength = reader.U32(scriptLengthAt);
        if (chunk_[kHead] != kEntryScriptFlag || !reader.Ok() || scriptLengthAt + 4 + scriptLength != chunk_.size())
            Warning(kHead, "the entry does not parse as the game's readers expect it",
                    "an entry 0xAE51 holds the flag 0x01, the name's length, the name, the script's length "
                    "(4 bytes) and the script, ending with the chunk");
    }

    std::span<const uint8_t> file_;
    std::span<const uint8_t> chunk_;
    ByteReader reader_;
    std::vector<LayoutFinding> findings_;
};

std::vector<size_t> MarkersIn(std::string_view text) {
    std::vector<size_t> at;
    for (size_t i = text.find(kMarker); i != std::string_view::npos; i = text.find(kMarker, i + 1)) at.push_back(i);
    return at;
}

std::string KeyAt(std::string_view text, size_t at) { return std::string(text.substr(at, kTextKeyLength)); }

}  // namespace

bool IsKnownObjectType(uint32_t type) {
    constexpr uint32_t kTypes[] = {2, 3, 4, 6, 9, 12, 14};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

std::vector<LayoutFinding> CheckObjectFile(std::span<const uint8_t> file) { return Checker(file).Run(); }

std::optional<DefinitionScript> ReadDefinitionScript(std::span<const uint8_t> chunk) {
    SceneFile scene;
    scene.Difinitions.Chunks.emplace_back(chunk.begin(), chunk.end());
    const std::span<uint8_t> data = DefinitionData(scene, 0);
    if (data.size() <= kDefinitionTextOffset) return std::nullopt;
    DefinitionScript script;
    script.Type = DefinitionType(scene, 0);
    const auto text = data.subspan(kDefinitionTextOffset);
    script.Text.assign(text.begin(), std::find(text.begin(), text.end(), 0));
    script.TextOffset = static_cast<size_t>(text.data() - scene.Difinitions.Chunks[0].data());
    return script;
}

std::vector<TextMarker> FindTextMarkers(std::span<const uint8_t> chunk) {
    std::vector<TextMarker> markers;
    const std::string_view whole(reinterpret_cast<const char*>(chunk.data()), chunk.size());
    const bool definition = ByteReader(chunk).U16(0) == kChunkDefinition;
    const std::optional<DefinitionScript> script = definition ? ReadDefinitionScript(chunk) : std::nullopt;
    if (!script) {
        const MarkerFate fate = definition ? MarkerFate::NoText : MarkerFate::NotADefinition;
        for (size_t at : MarkersIn(whole)) markers.push_back({at, KeyAt(whole, at), fate});
        return markers;
    }
    const std::string_view text = script->Text;
    MarkerFate fate = MarkerFate::Rewritten;
    if (script->Type != kScriptDefinition) fate = MarkerFate::NotAScript;
    // The rewrite skips data chunks of 16 bytes or less.
    else if (ByteReader(chunk).U32(script->TextOffset - kDefinitionTextOffset + 2) <= 16)
        fate = MarkerFate::NoText;
    // As the rewrite walks: a rewritten key is stepped over whole, and the
    // first marker cut short by the text's end ends it.
    size_t next = 0;
    for (size_t at : MarkersIn(text)) {
        MarkerFate mine = fate;
        if (mine == MarkerFate::Rewritten) {
            if (at < next) continue;  // inside a key already rewritten
            if (text.size() - at < kTextKeyLength) fate = mine = MarkerFate::CutShort;
            next = at + kTextKeyLength;
        }
        markers.push_back({script->TextOffset + at, KeyAt(text, at), mine});
    }
    return markers;
}

const char* MarkerFateText(MarkerFate fate) {
    switch (fate) {
        case MarkerFate::Rewritten:
            return "";
        case MarkerFate::CutShort:
            return "fewer than 6 characters follow the marker before the script ends";
        case MarkerFate::NotAScript:
            return "only scripts (definitions of type 5) are rewritten";
        case MarkerFate::NoText:
            return "the definition's data is too small to hold a script";
        case MarkerFate::NotADefinition:
            return "only the scripts of definitions 0xAE21 are rewritten";
    }
    return "";
}

}  // namespace pellwise
