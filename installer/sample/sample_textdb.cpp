#include <cstdio>

#include "installer/sample/sample_chunks.h"
#include "installer/sample/sample_parts.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

// Replacements of the small Cyrillic letters 0xE0..0xFF, in byte order.
const char* const kLatinLetters[32] = {"A", "S", "B", "F", "D", "E", "G", "3", "N", "N", "K", "V",  "M", "H", "O", "Y",
                                       "P", "C", "T", "J", "O", "X", "Q", "4", "U", "U", "L", "LI", "L", "Z", "W", "R"};

}  // namespace

std::string SampleGameText(int i) {
    static const char* const kNouns[] = {"машина", "бар",   "город",  "гараж",  "дорога",
                                         "шляпа",  "такси", "сигара", "вокзал", "газета"};
    static const char* const kVerbs[] = {"ждёт", "горит", "стоит", "едет", "молчит"};
    char text[128];
    std::snprintf(text, sizeof text, "%s %s %d", kNouns[i % 10], kVerbs[(i / 10) % 5], i);
    return Ru(text);
}

std::string SampleLatinForm(const std::string& text1251) {
    std::string result;
    for (char c : LowerCase(text1251)) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xE0)
            result += kLatinLetters[b - 0xE0];
        else
            result += c;
    }
    return result;
}

// Entry 0 carries the ID that follows the last-but-one entry's, so the first
// new text must skip it; the last entry has a far higher ID and stays last.
bool WriteSampleTextDb(const SampleOptions& options, SampleGame& game, std::string& error) {
    const int n = options.TextDbEntries < 3 ? 3 : options.TextDbEntries;
    for (int i = 0; i < n; ++i) {
        SampleTextEntry e;
        e.Id = i == 0 ? static_cast<uint32_t>(n) : i == n - 1 ? 900000u : static_cast<uint32_t>(i + 1);
        e.Text = e.Id == 100 ? Ru("Мафия") : SampleGameText(i);
        if (options.LatinTextDb) e.Text = SampleLatinForm(e.Text);
        game.TextDb.push_back(e);
    }
    ChunkWriter w;  // not chunks, but the same little-endian helpers
    w.U32(static_cast<uint32_t>(n));
    w.U32(0);
    uint32_t offset = 8 + 8 * static_cast<uint32_t>(n);
    for (const SampleTextEntry& e : game.TextDb) {
        w.U32(e.Id);
        w.U32(offset);
        offset += static_cast<uint32_t>(e.Text.size() + 1);
    }
    for (const SampleTextEntry& e : game.TextDb) w.Text(e.Text);
    game.VersionLine = "ru";
    game.TextDbPath = JoinPath(game.GameDir, "tables/textdb_" + game.VersionLine + ".def");
    return WriteSampleFile(JoinPath(game.GameDir, "tables/version.txt"), game.VersionLine + "\r\n", error) &&
           WriteSampleFile(game.TextDbPath, w.View(), error);
}

}  // namespace pellwise
