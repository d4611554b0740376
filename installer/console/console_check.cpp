#include <cstdio>
#include <ostream>

#include "installer/console/console_args.h"
#include "installer/console/native_text.h"
#include "installer/engine/mod_check.h"
#include "services/file_system.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

const char* LevelName(FindingLevel level) {
    return level == FindingLevel::Error ? "error" : level == FindingLevel::Warning ? "warning" : "note";
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out.append(1, '\\').append(1, c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The fields in UTF-8: the file name is in the system's encoding, the rest windows-1251.
struct Line {
    std::string File, Place, What, Fix;
};

Line Utf8Line(const Finding& f) {
    return {NativeToUtf8(f.File), Cp1251ToUtf8(f.Place), Cp1251ToUtf8(f.What), Cp1251ToUtf8(f.Fix)};
}

void PrintJson(std::ostream& out, const std::vector<Finding>& findings) {
    for (const Finding& f : findings) {
        const Line l = Utf8Line(f);
        out << "{\"level\":\"" << LevelName(f.Level) << "\",\"file\":" << JsonString(l.File)
            << ",\"place\":" << JsonString(l.Place) << ",\"what\":" << JsonString(l.What)
            << ",\"fix\":" << JsonString(l.Fix) << "}\n";
    }
}

void PrintText(std::ostream& out, const std::vector<Finding>& findings, const std::string& modDir) {
    int counts[3] = {};
    for (const Finding& f : findings) ++counts[static_cast<int>(f.Level)];
    static const char* const kGroups[] = {"Errors", "Warnings", "Notes"};
    for (int level = 0; level < 3; ++level) {
        if (counts[level] == 0) continue;
        out << kGroups[level] << ": " << counts[level] << '\n';
        for (const Finding& f : findings) {
            if (static_cast<int>(f.Level) != level) continue;
            const Line l = Utf8Line(f);
            out << "  " << l.File << (l.Place.empty() ? "" : ", " + l.Place) << ": " << l.What
                << (l.Fix.empty() ? "" : " -> " + l.Fix) << '\n';
        }
    }
    out << "Checked " << NativeToUtf8(modDir) << ": ";
    if (counts[0] + counts[1] == 0)
        out << "no errors, no warnings\n";
    else
        out << counts[0] << (counts[0] == 1 ? " error, " : " errors, ") << counts[1]
            << (counts[1] == 1 ? " warning\n" : " warnings\n");
}

}  // namespace

int RunCheck(const std::vector<std::string>& args, ConsoleIo& io) {
    ArgReader reader(args);
    std::string mod, game;
    bool json = false;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        if (arg == "--mod")
            mod = reader.Value();
        else if (arg == "--game")
            game = reader.Value();
        else if (arg == "--json")
            json = true;
        else
            reader.Fail("unknown option '" + arg + "' for check");
    }
    if (reader.Failed()) return UsageError(io, reader.Error());
    const std::string modDir = mod.empty() ? io.CurrentDir : FolderArgument(mod, io);
    const std::string gameDir = game.empty() ? std::string() : FolderArgument(game, io);
    for (const std::string& folder : {modDir, gameDir})
        if (!folder.empty() && !DirectoryExists(folder)) return UsageError(io, "no folder " + NativeToUtf8(folder));
    const std::vector<Finding> findings = CheckMod(modDir, gameDir);
    if (json)
        PrintJson(io.Out, findings);
    else
        PrintText(io.Out, findings, modDir);
    for (const Finding& f : findings)
        if (f.Level != FindingLevel::Note) return kExitFailed;
    return kExitOk;
}

}  // namespace pellwise
