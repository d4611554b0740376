#include "installer/engine/mod_check.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "gamedata/object_layout.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "installer/engine/folders.h"
#include "installer/engine/mission_list.h"
#include "services/file_stream.h"
#include "services/folder_listing.h"
#include "services/ini_text.h"
#include "services/message_service.h"
#include "services/paths.h"
#include "services/text_codec.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

constexpr size_t kValueBuffer = 4096;  // what the INI reader hands on, its NUL included
constexpr size_t kMaxPath = 260;
constexpr size_t kLongRelativePath = 200;  // leaves 60 characters for the game's own folder
const char kTexts[] = "texts";

// The game-data readers report through message boxes; the check says it in
// its own words instead.
class Silent : public MessageService {
public:
    int ShowMessageBox(const MessageText&, unsigned flags) override {
        return (flags & kMbButtonMask) == kMbYesNo ? kIdNo : kIdOk;
    }
};

std::string ReadText(const std::string& path, bool& found) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    found = bytes.has_value();
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// Valid UTF-8 with at least one letter beyond ASCII: windows-1251 text
// hardly ever is.
bool LooksLikeUtf8(std::string_view text) {
    bool wide = false;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (more == 9 || (c & 0xFE) == 0xC0) return false;  // no lead byte, or an overlong one
        if (more > 0 && i + more >= text.size()) return false;
        for (size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        wide = wide || more > 0;
        i += more + 1;
    }
    return wide;
}

bool IsPatchedByInstall(const std::string& relative) {
    const std::string upper = UpperCase(relative);
    std::string plain = upper;
    std::replace(plain.begin(), plain.end(), '\\', '/');
    const bool scene = plain.rfind("MISSIONS/", 0) == 0 && plain.size() > 20 &&
                       plain.compare(plain.size() - 11, 11, "/SCENE2.BIN") == 0 &&
                       plain.find('/', 9) == plain.size() - 11;
    const bool textDb = plain.rfind("TABLES/TEXTDB_", 0) == 0 && plain.size() > 18 &&
                        plain.compare(plain.size() - 4, 4, ".DEF") == 0 && plain.find('/', 7) == std::string::npos;
    return scene || textDb || plain == "TABLES/VERSION.TXT";
}

struct ObjectFile {
    std::string Name;
    std::vector<uint8_t> Bytes;
};

std::vector<ObjectFile> ReadObjectFiles(const std::string& dataDir) {
    std::vector<ObjectFile> files;
    const FolderListing listing(dataDir, "*.dnc", kAttributeArchive);
    for (int i = 0; i < listing.Count(); ++i) {
        ObjectFile f{listing.Names(i), {}};
        if (std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(dataDir + f.Name)) f.Bytes = std::move(*bytes);
        files.push_back(std::move(f));
    }
    return files;
}

std::span<const uint8_t> ChunkOf(const ObjectFile& f) {
    const uint32_t size = f.Bytes.size() >= 6 ? ChunkSize(f.Bytes) : 0;
    if (size < 6 || size > f.Bytes.size()) return {};
    return std::span<const uint8_t>(f.Bytes).first(size);
}

class ModChecker {
public:
    ModChecker(const std::string& modDir, const std::string& gameDir)
        : mod_(WithTrailingSeparator(modDir)), game_(gameDir.empty() ? "" : WithTrailingSeparator(gameDir)) {}

    std::vector<Finding> Run() {
        const std::string data = PathInAnyCase(mod_, "DATA/");
        files_ = ReadObjectFiles(data);
        newTexts_ = ini_text::ProfileText(ReadText(PathInAnyCase(data, "NewTexts.ini"), newTextsFound_));
        if (files_.empty())
            Add(FindingLevel::Error, "DATA", "", "no object file (*.dnc)", "put the mod's objects in DATA");
        if (!newTextsFound_)
            Add(FindingLevel::Error, JoinPath("DATA", "NewTexts.ini"), "", "missing or unreadable",
                "the installer stops without it; give it a [texts] section");
        for (const ObjectFile& f : files_) CheckFile(f);
        CheckTexts();
        CheckEncoding(JoinPath("DATA", "NewTexts.ini"), PathInAnyCase(data, "NewTexts.ini"));
        CheckEncoding(JoinPath("interface", "options.ini"), PathInAnyCase(mod_, "interface/options.ini"));
        CheckLooseFiles();
        if (!game_.empty()) CheckGame();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.Level < b.Level; });
        return std::move(findings_);
    }

private:
    void Add(FindingLevel level, std::string file, std::string place, std::string what, std::string fix) {
        findings_.push_back({level, std::move(file), std::move(place), std::move(what), std::move(fix)});
    }

    void CheckFile(const ObjectFile& f) {
        const std::string file = JoinPath("DATA", f.Name);
        for (const LayoutFinding& l : CheckObjectFile(f.Bytes))
            Add(l.Error ? FindingLevel::Error : FindingLevel::Warning, file, "offset " + std::to_string(l.Offset),
                l.What, l.Fix);
        const std::span<const uint8_t> chunk = ChunkOf(f);
        const std::string name = chunk.empty() ? "" : ChunkName(Block(chunk.begin(), chunk.end()));
        for (const TextMarker& m : FindTextMarkers(chunk)) {
            const std::string place = "offset " + std::to_string(m.Offset) + ", key " + m.Key;
            if (m.Fate != MarkerFate::Rewritten) {
                Add(FindingLevel::Warning, file, place,
                    "the marker is not rewritten: " + std::string(MarkerFateText(m.Fate)),
                    "a marker is #@$& and 6 more characters inside the script of a type-5 definition");
                continue;
            }
            used_.insert(UpperCase(m.Key));
            if (!ini_text::FindValue(newTexts_, kTexts, m.Key))
                Add(FindingLevel::Error, file, place,
                    "NewTexts.ini has no text under this key; definition " + name + " shows \"no text\"",
                    "add the key to the first [texts] section of DATA\\NewTexts.ini");
        }
    }

    void CheckTexts() {
        const std::string file = JoinPath("DATA", "NewTexts.ini");
        for (const std::string& key : ini_text::KeysOf(newTexts_, kTexts)) {
            if (!used_.count(UpperCase(key)))
                Add(FindingLevel::Warning, file, "key " + key, "no marker of the mod uses this key",
                    "remove it, or check the marker's spelling");
            const std::optional<std::string> value = ini_text::FindValue(newTexts_, kTexts, key);
            const size_t length = value ? ini_text::Deliver(*value, SIZE_MAX).size() : 0;
            if (length >= kValueBuffer)
                Add(FindingLevel::Warning, file, "key " + key,
                    "the text is " + std::to_string(length) + " bytes; the installer keeps the first " +
                        std::to_string(kValueBuffer - 1),
                    "split it into shorter texts");
        }
    }

    void CheckEncoding(const std::string& file, const std::string& path) {
        bool found = false;
        const std::string bytes = ReadText(path, found);
        if (!found) return;
        if (const std::optional<std::string> mark = ini_text::ByteOrderMark(bytes))
            Add(FindingLevel::Warning, file, "offset 0", "starts with a " + *mark + " byte-order mark",
                "save it as windows-1251 (ANSI) without a mark; older tools read the mark as part of the first line");
        else if (LooksLikeUtf8(bytes))
            Add(FindingLevel::Warning, file, "",
                "is UTF-8 where windows-1251 is meant; Russian letters come out garbled",
                "save it as windows-1251 (ANSI)");
    }

    void CheckLooseFiles() {
        const FolderTree tree = ListFolderTree(PathInAnyCase(mod_, "files/"));
        for (const std::string& link : tree.Links)
            Add(FindingLevel::Warning, JoinPath("files", link), "", "is a link; the installer copies links as nothing",
                "put the file itself in files\\");
        for (const std::string& rel : tree.Files) {
            const std::string file = JoinPath("files", rel);
            if (IsPatchedByInstall(rel))
                Add(FindingLevel::Error, file, "",
                    "the install patches this file of the game; a copy over it is a conflict",
                    "leave it out of files\\: scenes and the text database are patched, not replaced");
            const size_t length = game_.empty() ? rel.size() : JoinPath(game_, rel).size();
            if (length >= (game_.empty() ? kLongRelativePath : kMaxPath))
                Add(FindingLevel::Warning, file, "", "the name is too long for Windows once in the game folder",
                    "shorten the folder and file names");
        }
    }

    void CheckGame() {
        bool found = false;
        const std::string version = ReadText(PathInAnyCase(game_, "tables/version.txt"), found);
        if (found && ini_text::ByteOrderMark(version))
            Add(FindingLevel::Warning, JoinPath("game:tables", "version.txt"), "offset 0",
                "starts with a byte-order mark, which becomes part of the text database's name",
                "save it without the mark");
        CheckMissions();
        CheckDatabase(FileStream::OpenForReading(PathInAnyCase(game_, "tables/version.txt")).ReadLine());
    }

    void CheckMissions() {
        const std::string missions = PathInAnyCase(game_, "MISSIONS/");
        Silent silent;
        for (const std::string& mission : ListPatchableMissions(missions)) {
            SceneFile scene;
            if (!LoadFromFile(scene, ScenePath(missions, mission), silent)) {
                Add(FindingLevel::Note, JoinPath("game:MISSIONS", mission), "", "the scene could not be read", "");
                continue;
            }
            for (const ObjectFile& f : files_) {
                const std::span<const uint8_t> chunk = ChunkOf(f);
                if (chunk.empty()) continue;
                const Block block(chunk.begin(), chunk.end());
                const uint16_t kind = static_cast<uint16_t>(block[0] | block[1] << 8);
                for (const KnownSection& section : kKnownSections)
                    if (section.ChunkKind == kind && kind != kChunkAE03 &&
                        FindByName(scene.*section.List, ChunkName(block)) >= 0)
                        Add(FindingLevel::Note, JoinPath("DATA", f.Name), "mission " + mission,
                            ChunkName(block) + " would replace the game's chunk of that name (or be dropped on No)",
                            "");
            }
        }
    }

    void CheckDatabase(const std::string& version) {
        if (version.empty()) return;
        TextDB db;
        Silent silent;
        if (!Load(db, PathInAnyCase(game_, "tables/textdb_" + version + ".def"), silent)) return;
        for (const std::string& key : ini_text::KeysOf(newTexts_, kTexts)) {
            const std::optional<std::string> value = ini_text::FindValue(newTexts_, kTexts, key);
            if (!value || !used_.count(UpperCase(key))) continue;
            std::string text = ini_text::Deliver(*value, kValueBuffer);
            if (db.Kind == TextDBKind::Remapped) RemapCyrillic(text);
            if (const std::optional<uint32_t> id = db.FirstIdOf(text))
                Add(FindingLevel::Note, JoinPath("DATA", "NewTexts.ini"), "key " + key,
                    "the database holds this text already as ID " + std::to_string(*id) + "; that ID is used", "");
        }
    }

    std::string mod_;
    std::string game_;
    std::vector<ObjectFile> files_;
    std::string newTexts_;
    bool newTextsFound_ = false;
    std::set<std::string> used_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> CheckMod(const std::string& modDir, const std::string& gameDir) {
    return ModChecker(modDir, gameDir).Run();
}

std::vector<MissingText> FindMissingTexts(const std::string& modDir) {
    const std::string data = PathInAnyCase(modDir, "DATA/");
    bool found = false;
    const std::string newTexts = ini_text::ProfileText(ReadText(PathInAnyCase(data, "NewTexts.ini"), found));
    std::vector<MissingText> missing;
    for (const ObjectFile& f : ReadObjectFiles(data)) {
        const std::span<const uint8_t> chunk = ChunkOf(f);
        for (const TextMarker& m : FindTextMarkers(chunk))
            if (m.Fate == MarkerFate::Rewritten && !ini_text::FindValue(newTexts, kTexts, m.Key))
                missing.push_back({m.Key, ChunkName(Block(chunk.begin(), chunk.end())), f.Name});
    }
    return missing;
}

}  // namespace pellwise
