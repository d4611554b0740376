#include <ostream>

#include "installer/console/console_args.h"
#include "installer/console/native_text.h"
#include "installer/sample/sample_game.h"
#include "services/folder_listing.h"

namespace pellwise {

namespace {

bool ReadCount(ArgReader& reader, const std::string& arg, long long min, long long max, long long& value) {
    const std::optional<long long> n = ParseCount(reader.Value(), min, max);
    if (!n) reader.Fail(arg + " takes a number from " + std::to_string(min) + " to " + std::to_string(max));
    value = n.value_or(value);
    return n.has_value();
}

}  // namespace

int RunSample(const std::vector<std::string>& args, ConsoleIo& io) {
    ArgReader reader(args);
    SampleOptions options;
    std::string folder;
    bool force = false;
    while (!reader.Done() && !reader.Failed()) {
        const std::string arg = reader.Next();
        long long n = 0;
        if (arg == "--missions") {
            if (ReadCount(reader, arg, 1, 500, n)) options.Missions = static_cast<int>(n);
        } else if (arg == "--scene-size") {
            if (ReadCount(reader, arg, 1, 512LL << 20, n)) options.SceneSize = static_cast<uint32_t>(n);
        } else if (arg == "--entries") {
            if (ReadCount(reader, arg, 3, 10000000, n)) options.TextDbEntries = static_cast<int>(n);
        } else if (arg == "--collisions") {
            if (ReadCount(reader, arg, 0, 1000, n)) options.Collisions = static_cast<int>(n);
        } else if (arg == "--force") {
            force = true;
        } else if (arg == "--latin") {
            options.LatinTextDb = true;
        } else if (arg == "--store-collision") {
            options.StoreCollision = true;
        } else if (arg == "--no-replaced-file") {
            options.ReplaceableFile = false;
        } else if (arg == "--mission-name") {
            const std::string name = reader.Value();
            if (name.empty() || name.find_first_of("/\\") != std::string::npos)
                reader.Fail("--mission-name takes a folder name");
            options.MissionNames.push_back(NativeFromUtf8(name));
        } else if (arg.rfind("--", 0) != 0 && folder.empty()) {
            folder = arg;
        } else {
            reader.Fail("unexpected argument '" + arg + "' for sample");
        }
    }
    if (!reader.Failed() && folder.empty()) reader.Fail("sample needs a folder DIR");
    if (reader.Failed()) return UsageError(io, reader.Error());
    // A game folder given by mistake would lose its version.txt and scenes.
    const std::string target = FolderArgument(folder, io);
    if (!force && FolderListing(target, "*", 0).Count() > 0)
        return UsageError(io, NativeToUtf8(target) + " is not empty; give an empty or new folder, or --force");
    SampleGame game;
    std::string error;
    if (!GenerateSampleGame(target, options, game, error)) {
        io.Err << "pellwise: " << NativeToUtf8(error) << '\n';
        return kExitFailed;
    }
    io.Out << "Sample game: " << NativeToUtf8(game.GameDir) << '\n'
           << "Mod: " << NativeToUtf8(game.ModDir) << '\n'
           << "Missions: " << game.Missions.size() << ", text database: " << game.TextDb.size() << " entries"
           << (options.LatinTextDb ? " (Latin letters)" : "") << ", object files: " << game.ObjectFiles.size() << '\n';
    return kExitOk;
}

}  // namespace pellwise
