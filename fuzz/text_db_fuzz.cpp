// The text database over any bytes. Whatever Load accepts must Save and load
// back to the same entries; FindOrAdd, with its indexes, must give what a
// plain scan in entry order gives.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "gamedata/text_db.h"

namespace pellwise {
bool operator==(const TextDBEntry& a, const TextDBEntry& b) { return a.Text == b.Text && a.Id == b.Id; }
}  // namespace pellwise

namespace {

using namespace pellwise;
using namespace pellwise::fuzz;

// FindOrAdd by its rules alone, with linear scans over a plain list.
uint32_t ScanFindOrAdd(std::vector<TextDBEntry>& entries, TextDBKind kind, std::string text) {
    if (kind == TextDBKind::Remapped) RemapCyrillic(text);
    for (const TextDBEntry& e : entries)
        if (e.Text == text) return e.Id;
    uint32_t candidate = entries.size() >= 2 ? entries[entries.size() - 2].Id : 0;
    auto taken = [&](uint32_t id) {
        return std::any_of(entries.begin(), entries.end(), [id](const TextDBEntry& e) { return e.Id == id; });
    };
    while (taken(candidate)) ++candidate;
    if (candidate == 0xFFFFFFFFu) return 0;
    entries.insert(entries.empty() ? entries.end() : entries.end() - 1, {text, candidate});
    return candidate;
}

void ExpectRoundTrip(const TextDB& db) {
    // Save never creates the file: the target must exist.
    const std::string path = WriteScratch("saved.def", nullptr, 0);
    QuietMessages messages;
    TextDB again;
    Expect(Save(db, path, messages) && Load(again, path, messages), "the database saves and loads again");
    Expect(std::vector<TextDBEntry>(db.Entries()) == std::vector<TextDBEntry>(again.Entries()),
           "the saved database holds the same entries");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TextDB db;
    if (!LoadInput(db, Load, "textdb.def", data, size)) return 0;
    ExpectRoundTrip(db);

    // Texts to look up or add: some of the database's own, some new ones
    // taken from the input's last bytes, and the mod's fallback text.
    FuzzedDataProvider provider(data, size);
    std::vector<std::string> texts{"no text"};
    for (int i = 0; i < 4 && provider.remaining_bytes() > 0; ++i) {
        std::string text = db.Count() > 0 && provider.ConsumeBool()
                               ? db.Entry(provider.ConsumeIntegralInRange<int>(0, db.Count() - 1)).Text
                               : provider.ConsumeRandomLengthString(24);
        // A text never holds a NUL: the NUL is what ends it in the file.
        texts.push_back(text.substr(0, text.find('\0')));
    }
    std::vector<TextDBEntry> scan = db.Entries();
    for (std::string text : texts) {
        const uint32_t expected = ScanFindOrAdd(scan, db.Kind, text);
        QuietMessages messages;
        Expect(FindOrAdd(db, text, messages) == expected, "FindOrAdd gives the ID a scan gives");
        Expect(std::vector<TextDBEntry>(db.Entries()) == scan, "FindOrAdd places the entry where a scan does");
    }
    ExpectRoundTrip(db);
    return 0;
}
