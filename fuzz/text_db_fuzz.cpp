// The text database over any bytes. Whatever Load accepts must Save and load
// back to the same entries; FindOrAdd, with its indexes, must give what a
// plain scan in entry order gives.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "gamedata/text_db.h"

namespace {

using pellwise::TextDBEntry;

bool SameEntries(const std::vector<TextDBEntry>& a, const std::vector<TextDBEntry>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Text != b[i].Text || a[i].Id != b[i].Id) return false;
    return true;
}

// FindOrAdd by its rules alone, with linear scans over a plain list.
uint32_t ScanFindOrAdd(std::vector<TextDBEntry>& entries, pellwise::TextDBKind kind, std::string text) {
    if (kind == pellwise::TextDBKind::Remapped) pellwise::RemapCyrillic(text);
    for (const TextDBEntry& e : entries)
        if (e.Text == text) return e.Id;
    uint32_t candidate = entries.size() >= 2 ? entries[entries.size() - 2].Id : 0;
    auto taken = [&](uint32_t id) {
        for (const TextDBEntry& e : entries)
            if (e.Id == id) return true;
        return false;
    };
    while (taken(candidate)) ++candidate;
    if (candidate == 0xFFFFFFFFu) return 0;
    entries.insert(entries.empty() ? entries.end() : entries.end() - 1, {text, candidate});
    return candidate;
}

void ExpectRoundTrip(const pellwise::TextDB& db, const std::string& where) {
    using namespace pellwise;
    using namespace pellwise::fuzz;
    // Save never creates the file: the target must exist.
    const std::string path = WriteScratch("saved.def", "");
    QuietMessages messages;
    if (!Save(db, path, messages)) Broken(where + ": the database does not save");
    TextDB again;
    if (!Load(again, path, messages)) Broken(where + ": the saved database does not load");
    if (!SameEntries(db.Entries(), again.Entries())) Broken(where + ": the entries differ");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pellwise;
    using namespace pellwise::fuzz;
    const std::string input = WriteScratch("textdb.def", data, size);
    QuietMessages messages;
    TextDB db;
    if (!Load(db, input, messages)) {
        Expect(messages.Shown() == 1, "a failed load shows one message");
        return 0;
    }
    Expect(db.Count() <= static_cast<int>(size / 8), "no more entries than the file has records");
    ExpectRoundTrip(db, "loaded, saved and loaded again");

    // Texts to look up or add: some of the database's own, some new ones
    // taken from the input's last bytes, and the mod's fallback text.
    FuzzedDataProvider provider(data, size);
    std::vector<std::string> texts{"no text"};
    for (int i = 0; i < 4 && provider.remaining_bytes() > 0; ++i) {
        if (db.Count() > 0 && provider.ConsumeBool()) {
            texts.push_back(db.Entry(provider.ConsumeIntegralInRange<int>(0, db.Count() - 1)).Text);
        } else {
            // A text never holds a NUL: the NUL is what ends it in the file.
            std::string text = provider.ConsumeRandomLengthString(24);
            text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
            texts.push_back(std::move(text));
        }
    }
    std::vector<TextDBEntry> scan = db.Entries();
    for (std::string text : texts) {
        std::string copy = text;
        const uint32_t expected = ScanFindOrAdd(scan, db.Kind, text);
        const uint32_t id = FindOrAdd(db, copy, messages);
        if (id != expected)
            Broken("FindOrAdd gave " + std::to_string(id) + ", a scan gives " + std::to_string(expected));
        Expect(SameEntries(db.Entries(), scan), "FindOrAdd places the entry where a scan does");
    }
    ExpectRoundTrip(db, "after FindOrAdd, saved and loaded again");
    return 0;
}
