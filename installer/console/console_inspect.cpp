#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>

#include "gamedata/byte_reader.h"
#include "gamedata/object_layout.h"
#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "gamedata/text_db_check.h"
#include "gamedata/text_references.h"
#include "installer/console/console_args.h"
#include "installer/console/console_messages.h"
#include "installer/console/console_report.h"
#include "installer/console/native_text.h"
#include "services/text_codec.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

void PrintList(std::ostream& out, const SectionList& list) {
    for (const Block& chunk : list.Chunks) {
        const uint16_t id = ChunkId(chunk);
        out << "  " << HexId(id) << "  " << ChunkSize(chunk) << "  " << Cp1251ToUtf8(ChunkName(chunk)) << '\n';
    }
}

void PrintSection(std::ostream& out, uint16_t id, const char* what, const SectionList& list) {
    out << "Section " << HexId(id) << " (" << what << "): ";
    if (list.Size == 0 && list.Chunks.empty()) {
        out << "absent\n";
        return;
    }
    out << "size " << list.Size << ", " << list.Count() << " chunks\n";
    PrintList(out, list);
}

struct SceneArgs {
    std::string File;
    bool Texts = false;
    std::string TextDb;
};

bool ReadSceneArgs(const std::vector<std::string>& args, ConsoleIo& io, SceneArgs& out) {
    ArgReader reader(args);
    std::string file, textDb;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        if (arg == "--texts")
            out.Texts = true;
        else if (arg == "--textdb")
            textDb = reader.Value();
        else if (arg.rfind("--", 0) == 0 || !file.empty())
            reader.Fail("unexpected argument '" + arg + "' for scene");
        else
            file = arg;
    }
    if (!reader.Failed() && file.empty()) reader.Fail("scene needs a FILE");
    if (reader.Failed()) {
        UsageError(io, reader.Error());
        return false;
    }
    out.File = FileArgument(file, io);
    if (!textDb.empty()) {
        out.TextDb = FileArgument(textDb, io);
        out.Texts = true;
    }
    return true;
}

// The text of every ID, for the references of --texts; the first entry of an ID wins.
std::map<uint32_t, std::string> TextsById(const TextDB& db) {
    std::map<uint32_t, std::string> byId;
    for (int i = 0; i < db.Count(); ++i) byId.emplace(db.IdAt(i), std::string(db.TextAt(i)));
    return byId;
}

// Runs of exactly ten digits: what a rewritten marker became.
std::vector<std::string> References(const std::string& text) {
    std::vector<std::string> refs;
    for (size_t i = 0; i < text.size();) {
        size_t end = i;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        if (end - i == kTextKeyLength) refs.push_back(text.substr(i, end - i));
        i = end == i ? i + 1 : end;
    }
    return refs;
}

void PrintScript(std::ostream& out, const Block& chunk, const std::map<uint32_t, std::string>* byId) {
    const std::optional<DefinitionScript> script = ReadDefinitionScript(chunk);
    if (!script) return;
    out << "Definition " << Cp1251ToUtf8(ChunkName(chunk)) << " (type " << script->Type << "), text at offset "
        << script->TextOffset << ":\n";
    size_t from = 0;
    while (from < script->Text.size()) {
        const size_t end = std::min(script->Text.find('\n', from), script->Text.size());
        out << "  | " << Cp1251ToUtf8(script->Text.substr(from, end - from)) << '\n';
        from = end + 1;
    }
    for (const TextMarker& m : FindTextMarkers(chunk)) {
        out << "  marker " << Cp1251ToUtf8(m.Key) << " at offset " << m.Offset << ": ";
        if (m.Fate == MarkerFate::Rewritten)
            out << "rewritten on install\n";
        else
            out << "not rewritten: " << MarkerFateText(m.Fate) << '\n';
    }
    if (!byId) return;
    for (const std::string& ref : References(script->Text)) {
        const auto it = byId->find(static_cast<uint32_t>(std::stoul(ref)));
        out << "  reference " << ref << ": ";
        if (it == byId->end())
            out << "points at no text of the database\n";
        else
            out << '"' << Cp1251ToUtf8(it->second) << "\"\n";
    }
}

void PrintScripts(std::ostream& out, const SectionList& definitions, const std::map<uint32_t, std::string>* byId) {
    for (const Block& chunk : definitions.Chunks) PrintScript(out, chunk, byId);
}

// An object file: its one chunk, with what is wrong in it.
int PrintObjectFile(ConsoleIo& io, const SceneArgs& a, const std::vector<uint8_t>& bytes,
                    const std::map<uint32_t, std::string>* byId) {
    const std::vector<LayoutFinding> findings = CheckObjectFile(bytes);
    io.Out << "Object file " << NativeToUtf8(a.File) << ": " << bytes.size() << " bytes\n";
    bool damaged = false;
    for (const LayoutFinding& f : findings) damaged = damaged || f.Error;
    const uint32_t size = bytes.size() >= 6 ? ChunkSize(bytes) : 0;
    if (size >= 6 && size <= bytes.size()) {
        const Block chunk(bytes.begin(), bytes.begin() + size);
        SectionList list;
        list.Chunks.push_back(chunk);
        PrintList(io.Out, list);
        if (a.Texts) PrintScript(io.Out, chunk, byId);
    }
    for (const LayoutFinding& f : findings)
        io.Out << (f.Error ? "Error" : "Warning") << " at offset " << f.Offset << ": " << Cp1251ToUtf8(f.What) << '\n';
    return damaged ? kExitFailed : kExitOk;
}

// Says what "IO error" meant: where the file is damaged, or that it could not be read.
void DescribeDamage(ConsoleIo& io, const std::string& path) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
    io.Err << "pellwise: " << NativeToUtf8(path);
    if (!bytes) {
        io.Err << ": cannot be read\n";
        return;
    }
    const std::optional<TextDbDamage> damage = FindTextDbDamage(*bytes);
    if (damage)
        io.Err << ": damaged at offset " << damage->Offset << ": " << damage->What << '\n';
    else
        io.Err << ": could not be read whole\n";
}

}  // namespace

int RunScene(const std::vector<std::string>& args, ConsoleIo& io) {
    SceneArgs a;
    if (!ReadSceneArgs(args, io, a)) return kExitUsage;
    ConsoleMessages messages(io.Err, io.In, false);
    TextDB db;
    std::map<uint32_t, std::string> byId;
    if (!a.TextDb.empty()) {
        if (!Load(db, a.TextDb, messages)) return kExitFailed;
        byId = TextsById(db);
    }
    const std::map<uint32_t, std::string>* ids = a.TextDb.empty() ? nullptr : &byId;
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(a.File);
    if (bytes && (bytes->size() < 2 || ByteReader(*bytes).U16(0) != kSceneSignature))
        return PrintObjectFile(io, a, *bytes, ids);
    SceneFile scene;
    if (!LoadFromFile(scene, a.File, messages)) return kExitFailed;
    io.Out << "Scene " << NativeToUtf8(a.File) << ": total size " << scene.TotalSize << '\n';
    io.Out << "Head chunks: " << scene.HeaderChunks.Count() << '\n';
    PrintList(io.Out, scene.HeaderChunks);
    PrintSection(io.Out, kSectionObjects, "objects", scene.Objects);
    PrintSection(io.Out, kSectionDefinitions, "definitions", scene.Difinitions);
    PrintSection(io.Out, kSectionAE02, "entries 0xAE03", scene.SectionAE02);
    PrintSection(io.Out, kSectionAE50, "entries 0xAE51", scene.SectionAE50);
    for (const RawSection& section : scene.UnknownSections)
        io.Out << "Unrecognised section " << HexId(section.Id) << ": " << section.Bytes.size()
               << " bytes, kept as they are\n";
    if (!scene.Trailing.empty())
        io.Out << "After the scene's total size: " << scene.Trailing.size() << " bytes, written back as they are\n";
    if (a.Texts) PrintScripts(io.Out, scene.Difinitions, ids);
    return kExitOk;
}

int RunTextDb(const std::vector<std::string>& args, ConsoleIo& io) {
    ArgReader reader(args);
    std::string file;
    std::optional<std::string> find;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        if (arg == "--find")
            find = reader.Value();
        else if (arg.rfind("--", 0) == 0 || !file.empty())
            reader.Fail("unexpected argument '" + arg + "' for textdb");
        else
            file = arg;
    }
    if (!reader.Failed() && file.empty()) reader.Fail("textdb needs a FILE");
    if (reader.Failed()) return UsageError(io, reader.Error());
    const std::string path = FileArgument(file, io);
    ConsoleMessages messages(io.Err, io.In, false);
    TextDB db;
    if (!Load(db, path, messages)) {
        DescribeDamage(io, path);
        return kExitFailed;
    }
    io.Out << "Text database " << NativeToUtf8(path) << ": " << db.Count() << " entries, kind "
           << static_cast<int>(db.Kind) << " (" << KindDescription(db.Kind) << ")\n";
    if (!find) return kExitOk;
    const std::string plain = Utf8ToCp1251(*find);
    std::string latin = plain;
    RemapCyrillic(latin);
    int found = 0;
    for (const TextDBEntry& e : db.Entries()) {
        const bool hit = e.Text.find(plain) != std::string::npos ||
                         (db.Kind == TextDBKind::Remapped && e.Text.find(latin) != std::string::npos);
        if (!hit) continue;
        io.Out << "  " << e.Id << "  " << Cp1251ToUtf8(e.Text) << '\n';
        ++found;
    }
    io.Out << found << " entries contain \"" << *find << "\"\n";
    return kExitOk;
}

}  // namespace pellwise
