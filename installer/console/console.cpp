#include "installer/console/console.h"

#include <ostream>

#include "installer/console/console_args.h"

#ifndef PELLWISE_VERSION
#define PELLWISE_VERSION "0.0.0"
#endif

namespace pellwise {

namespace {

// Each command's usage lines and what it does; `--help` after a command
// prints its own entry, `--help` alone all of them.
struct CommandHelp {
    const char* Name;
    const char* Usage;
    const char* Text;
};

constexpr CommandHelp kCommands[] = {
    {"install",
     "  pellwise install [--game DIR] [--mod DIR] (--mission NAME ... | --all-missions)\n"
     "                   [--overwrite yes|no] [--replace-files yes|no] [--virtual-store move|keep]\n"
     "                   [--dry-run]\n",
     "install     installs the mod into the chosen missions of the game: imports the mod's objects,\n"
     "            adds its texts to the game's text database and copies its files\\ into the game.\n"
     "            --mod defaults to the current folder, --game to the folder above the mod's.\n"
     "            --mission repeats; names are matched exactly.\n"
     "            --overwrite answers whether objects of the game with a name the mod uses are replaced,\n"
     "            --replace-files whether files of the game are replaced by the mod's; without them the\n"
     "            question is asked on the terminal, and with no terminal the answer is no.\n"
     "            --virtual-store answers whether old copies of the files written that Windows keeps in\n"
     "            %LOCALAPPDATA%\\VirtualStore (which the game would read instead) are moved into the\n"
     "            backup; without it asked on the terminal, and kept with no terminal.\n"
     "            --dry-run does everything in memory, writes nothing and reports what would change.\n"
     "            Before a game file is replaced its original is kept in the game's pellwise-backup folder.\n"},
    {"check", "  pellwise check [--mod DIR] [--game DIR] [--json]\n",
     "check       looks through a mod before it ships: object files, text markers and NewTexts.ini,\n"
     "            the encodings of its text files and its files\\ folder; with --game also what the mod\n"
     "            would replace in each mission and which texts the database holds already.\n"
     "            One line per finding; --json gives them as JSON lines. Exit status 1 when anything\n"
     "            was found.\n"},
    {"missions", "  pellwise missions [--game DIR]\n",
     "missions    lists the missions of the game that can be patched.\n"},
    {"restore", "  pellwise restore --game DIR [--mod NAME] [--force] [--dry-run]\n",
     "restore     undoes the latest install (of the mod NAME): replaced files come back, created files go.\n"
     "            A file changed since the install stops it unless --force; --dry-run only checks.\n"},
    {"status", "  pellwise status --game DIR\n",
     "status      lists the installs kept in pellwise-backup and says whether an interrupted run is pending.\n"},
    {"recover", "  pellwise recover --game DIR\n",
     "recover     finishes or undoes an interrupted install or restore (every run also does this first).\n"},
    {"scene", "  pellwise scene FILE [--texts] [--textdb FILE]\n",
     "scene       lists a scene file's (or an object file's) chunks with every chunk's id, size and name;\n"
     "            --texts shows each script definition's text and its markers, and with --textdb\n"
     "            the text each 10-digit reference points at in that database.\n"},
    {"textdb", "  pellwise textdb FILE [--find TEXT]\n",
     "textdb      gives a text database's entry count and kind, and with --find the entries holding TEXT;\n"
     "            a damaged database is named with what is wrong and where.\n"},
    {"sample",
     "  pellwise sample DIR [--missions N] [--scene-size BYTES] [--entries N] [--latin] [--force]\n"
     "                  [--collisions N] [--store-collision] [--no-replaced-file] [--mission-name NAME ...]\n",
     "sample      writes a sample game with a mod inside it (made up; no real game files) into an\n"
     "            empty or new folder; --force writes into a folder that holds files.\n"},
};

constexpr const char* kExitText =
    "Exit status: 0 done; 1 a check stopped the run, a mission or file failed, part of the mod was left out\n"
    "(partly installed), or check found something; 2 usage error.\n";

const CommandHelp* FindCommand(const std::string& name) {
    for (const CommandHelp& c : kCommands)
        if (name == c.Name) return &c;
    return nullptr;
}

void PrintHelp(std::ostream& out, const CommandHelp* only) {
    out << "Usage:\n";
    for (const CommandHelp& c : kCommands)
        if (!only || only == &c) out << c.Usage;
    if (!only) out << "  pellwise --help | --version | COMMAND --help\n";
    out << '\n';
    for (const CommandHelp& c : kCommands)
        if (!only || only == &c) out << c.Text;
    out << '\n' << kExitText;
}

bool AsksForHelp(const std::vector<std::string>& args) {
    for (size_t i = 1; i < args.size(); ++i)
        if (args[i] == "--help" || args[i] == "-h") return true;
    return false;
}

}  // namespace

int RunConsole(const std::vector<std::string>& args, ConsoleIo& io) {
    if (args.empty()) return UsageError(io, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        PrintHelp(io.Out, nullptr);
        return kExitOk;
    }
    if (command == "--version") {
        io.Out << "pellwise " << PELLWISE_VERSION << '\n';
        return kExitOk;
    }
    if (const CommandHelp* help = FindCommand(command); help && AsksForHelp(args)) {
        PrintHelp(io.Out, help);
        return kExitOk;
    }
    if (command == "install") return RunInstall(args, io);
    if (command == "check") return RunCheck(args, io);
    if (command == "missions") return RunMissions(args, io);
    if (command == "scene") return RunScene(args, io);
    if (command == "textdb") return RunTextDb(args, io);
    if (command == "sample") return RunSample(args, io);
    if (command == "restore") return RunRestore(args, io);
    if (command == "status") return RunStatus(args, io);
    if (command == "recover") return RunRecover(args, io);
    return UsageError(io, "unknown command '" + command + "'");
}

}  // namespace pellwise
