#include <cstdio>
#include <ostream>

#include "gamedata/scene_file.h"
#include "gamedata/text_db.h"
#include "installer/console/console_args.h"
#include "installer/console/console_messages.h"
#include "installer/console/console_report.h"
#include "installer/console/native_text.h"
#include "services/text_codec.h"

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

// One file argument and no options.
bool OneFile(const std::vector<std::string>& args, ConsoleIo& io, std::string& file, const char* command) {
    if (args.size() != 2 || args[1].rfind("--", 0) == 0) {
        UsageError(io, std::string(command) + " takes exactly one FILE");
        return false;
    }
    file = FileArgument(args[1], io);
    return true;
}

}  // namespace

int RunScene(const std::vector<std::string>& args, ConsoleIo& io) {
    std::string path;
    if (!OneFile(args, io, path, "scene")) return kExitUsage;
    ConsoleMessages messages(io.Err, io.In, false);
    SceneFile scene;
    if (!LoadFromFile(scene, path, messages)) return kExitFailed;
    io.Out << "Scene " << NativeToUtf8(path) << ": total size " << scene.TotalSize << '\n';
    io.Out << "Head chunks: " << scene.HeaderChunks.Count() << '\n';
    PrintList(io.Out, scene.HeaderChunks);
    PrintSection(io.Out, kSectionObjects, "objects", scene.Objects);
    PrintSection(io.Out, kSectionDefinitions, "definitions", scene.Difinitions);
    PrintSection(io.Out, kSectionAE02, "entries 0xAE03", scene.SectionAE02);
    PrintSection(io.Out, kSectionAE50, "entries 0xAE51", scene.SectionAE50);
    for (const RawSection& section : scene.UnknownSections)
        io.Out << "Unrecognised section " << HexId(section.Id) << ": " << section.Bytes.size()
               << " bytes, kept as they are\n";
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
    if (!Load(db, path, messages)) return kExitFailed;
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
