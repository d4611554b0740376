#include <algorithm>
#include <memory>
#include <ostream>

#include "installer/console/console_args.h"
#include "installer/console/console_messages.h"
#include "installer/console/console_report.h"
#include "installer/console/native_text.h"
#include "installer/engine/folders.h"
#include "installer/engine/installer.h"
#include "installer/engine/left_out.h"
#include "installer/engine/mission_list.h"
#include "installer/engine/preflight.h"
#include "services/file_system.h"
#include "services/paths.h"

namespace pellwise {

namespace {

struct InstallArgs {
    std::string Game;
    std::string Mod;
    std::vector<std::string> Missions;  // system encoding
    bool AllMissions = false;
    PatchOptions Options;
    bool OverwriteGiven = false;
};

bool ReadInstallArgs(const std::vector<std::string>& args, ConsoleIo& io, InstallArgs& out) {
    ArgReader reader(args);
    std::string game, mod;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        if (arg == "--game") {
            game = reader.Value();
        } else if (arg == "--mod") {
            mod = reader.Value();
        } else if (arg == "--mission") {
            const std::string name = reader.Value();
            if (!reader.Failed()) out.Missions.push_back(NativeFromUtf8(name));
        } else if (arg == "--all-missions") {
            out.AllMissions = true;
        } else if (arg == "--overwrite" || arg == "--replace-files") {
            const std::optional<Answer> answer = ParseYesNo(reader.Value());
            if (!answer) reader.Fail(arg + " takes yes or no");
            (arg == "--overwrite" ? out.Options.Overwrite : out.Options.ReplaceFiles) = answer.value_or(Answer::Ask);
            out.OverwriteGiven |= arg == "--overwrite";
        } else if (arg == "--virtual-store") {
            const std::string value = reader.Value();
            if (value == "move" || value == "keep")
                out.Options.VirtualStore = value == "move" ? Answer::Yes : Answer::No;
            else if (!reader.Failed())
                reader.Fail("--virtual-store takes move or keep");
        } else if (arg == "--dry-run") {
            out.Options.DryRun = true;
        } else {
            reader.Fail("unknown option '" + arg + "' for install");
        }
    }
    if (!reader.Failed() && out.AllMissions == !out.Missions.empty())
        reader.Fail(out.AllMissions ? "--all-missions and --mission exclude each other"
                                    : "name the missions with --mission NAME or choose --all-missions");
    if (reader.Failed()) {
        UsageError(io, reader.Error());
        return false;
    }
    out.Mod = mod.empty() ? io.CurrentDir : FolderArgument(mod, io);
    out.Game = game.empty() ? ParentFolder(out.Mod) : FolderArgument(game, io);
    return true;
}

// The game's own folders beside the mod's DATA: the mod folder is the game's.
bool UnpackedIntoGame(const std::string& modDir) {
    return DirectoryExists(PathInAnyCase(modDir, "tables")) && DirectoryExists(PathInAnyCase(modDir, "MISSIONS"));
}

#ifdef _WIN32
constexpr const char* kRightsAdvice =
    "This account may not write there: run the installer again from an elevated prompt (Command Prompt, \"Run as "
    "administrator\").";
#else
constexpr const char* kRightsAdvice = "This account may not write there: run the installer as a user who may.";
#endif

PatchCallbacks ProgressOnTerminal(ConsoleIo& io) {
    PatchCallbacks callbacks;
    if (!io.Terminal) return callbacks;
    // One line, rewritten in place; blanks wipe what a longer name left.
    auto width = std::make_shared<size_t>(0);
    callbacks.Progress = [&io, width](const PatchProgress& p) {
        std::string line;
        if (p.At == PatchProgress::Stage::Mission)
            line.append("[")
                .append(std::to_string(p.Index + 1))
                .append("/")
                .append(std::to_string(p.Count))
                .append("] ")
                .append(NativeToUtf8(p.Mission));
        else if (p.At == PatchProgress::Stage::TextDb)
            line = "text database";
        else if (p.At == PatchProgress::Stage::Files)
            line = "files";
        const size_t pad = *width > line.size() ? *width - line.size() : 0;
        io.Err << '\r' << line << std::string(pad, ' ') << (p.At == PatchProgress::Stage::Done ? "\r" : "")
               << std::flush;
        *width = line.size();
    };
    return callbacks;
}

}  // namespace

int RunInstall(const std::vector<std::string>& args, ConsoleIo& io) {
    InstallArgs a;
    if (!ReadInstallArgs(args, io, a)) return kExitUsage;
    // Unknown names are a usage error before anything is read or asked.
    const std::vector<std::string> known = ListPatchableMissions(PathInAnyCase(a.Game, "MISSIONS/"));
    if (!known.empty()) {
        for (const std::string& name : a.Missions)
            if (std::find(known.begin(), known.end(), name) == known.end())
                return UsageError(io, "no patchable mission named '" + NativeToUtf8(name) + "' in " +
                                          NativeToUtf8(JoinPath(a.Game, "MISSIONS")));
    }
    ConsoleMessages messages(io.Err, io.In, io.Terminal);
    Installer installer(a.Mod, a.Game, messages);
    const WizardResult wizard = installer.StartWizard(a.Options.Overwrite);
    if (installer.Recovered().Pending) io.Out << NativeToUtf8(installer.Recovered().Text()) << '\n';
    if (!wizard.Ok()) {
        io.Out << "Stopped: " << StopDescription(wizard.Stop) << '\n';
        if (UnpackedIntoGame(a.Mod))
            io.Out << "The mod's files were unpacked into the game folder itself (" << NativeToUtf8(a.Mod)
                   << " holds the game's tables and MISSIONS); put them in a folder of their own inside the game "
                      "folder and run the installer from there.\n";
        return kExitFailed;
    }
    // Patched in the order `pellwise missions` lists them, whatever the order of the options.
    std::vector<std::string> selected;
    for (const std::string& name : installer.Missions())
        if (a.AllMissions || std::find(a.Missions.begin(), a.Missions.end(), name) != a.Missions.end())
            selected.push_back(name);
    const PatchReport report = installer.RunPatch(selected, a.Options, ProgressOnTerminal(io));
    if (!report.Ran) return UsageError(io, report.Refusal);
    PrintReport(io.Out, installer, report, a.Options, messages.UnansweredQuestions());
    if (NeedsRights(report.Stop)) io.Out << kRightsAdvice << '\n';
    const bool complete = report.Succeeded() && LeftOutParts(installer.Summary(), report).empty();
    return complete ? kExitOk : kExitFailed;
}

int RunMissions(const std::vector<std::string>& args, ConsoleIo& io) {
    ArgReader reader(args);
    std::string game;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        if (arg == "--game")
            game = reader.Value();
        else
            reader.Fail("unknown option '" + arg + "' for missions");
    }
    if (reader.Failed()) return UsageError(io, reader.Error());
    const std::string gameDir = game.empty() ? ParentFolder(io.CurrentDir) : FolderArgument(game, io);
    const std::vector<std::string> missions = ListPatchableMissions(PathInAnyCase(gameDir, "MISSIONS/"));
    for (const std::string& name : missions) io.Out << NativeToUtf8(name) << '\n';
    if (missions.empty())
        io.Err << "pellwise: no mission folder in " << NativeToUtf8(JoinPath(gameDir, "MISSIONS"))
               << " holds a scene2.bin\n";
    return missions.empty() ? kExitFailed : kExitOk;
}

}  // namespace pellwise
