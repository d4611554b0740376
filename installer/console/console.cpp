#include "installer/console/console.h"

#include <ostream>

#include "installer/console/console_args.h"

#ifndef PELLWISE_VERSION
#define PELLWISE_VERSION "0.0.0"
#endif

namespace pellwise {

namespace {

constexpr const char* kHelp =
    "Usage:\n"
    "  pellwise install [--game DIR] [--mod DIR] (--mission NAME ... | --all-missions)\n"
    "                   [--overwrite yes|no] [--replace-files yes|no] [--dry-run]\n"
    "  pellwise missions [--game DIR]\n"
    "  pellwise restore --game DIR [--mod NAME] [--force] [--dry-run]\n"
    "  pellwise status --game DIR\n"
    "  pellwise recover --game DIR\n"
    "  pellwise scene FILE\n"
    "  pellwise textdb FILE [--find TEXT]\n"
    "  pellwise sample DIR [--missions N] [--scene-size BYTES] [--entries N] [--latin]\n"
    "                  [--collisions N] [--store-collision] [--no-replaced-file] [--mission-name NAME ...]\n"
    "  pellwise --help | --version\n"
    "\n"
    "install     installs the mod into the chosen missions of the game: imports the mod's objects,\n"
    "            adds its texts to the game's text database and copies its files\\ into the game.\n"
    "            --mod defaults to the current folder, --game to the folder above the mod's.\n"
    "            --mission repeats; names are matched exactly.\n"
    "            --overwrite answers whether objects of the game with a name the mod uses are replaced,\n"
    "            --replace-files whether files of the game are replaced by the mod's; without them the\n"
    "            question is asked on the terminal, and with no terminal the answer is no.\n"
    "            --dry-run does everything in memory, writes nothing and reports what would change.\n"
    "            Before a game file is replaced its original is kept in the game's pellwise-backup folder.\n"
    "missions    lists the missions of the game that can be patched.\n"
    "restore     undoes the latest install (of the mod NAME): replaced files come back, created files go.\n"
    "            A file changed since the install stops it unless --force; --dry-run only checks.\n"
    "status      lists the installs kept in pellwise-backup and says whether an interrupted run is pending.\n"
    "recover     finishes or undoes an interrupted install or restore (every run also does this first).\n"
    "scene       lists a scene file's head chunks and sections with every chunk's id, size and name.\n"
    "textdb      gives a text database's entry count and kind, and with --find the entries holding TEXT.\n"
    "sample      writes a sample game with a mod inside it (made up; no real game files).\n"
    "\n"
    "Exit status: 0 done; 1 a check stopped the run, or a mission or file failed; 2 usage error.\n";

}  // namespace

int RunConsole(const std::vector<std::string>& args, ConsoleIo& io) {
    if (args.empty()) return UsageError(io, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        io.Out << kHelp;
        return kExitOk;
    }
    if (command == "--version") {
        io.Out << "pellwise " << PELLWISE_VERSION << '\n';
        return kExitOk;
    }
    if (command == "install") return RunInstall(args, io);
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
