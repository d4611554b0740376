#include "installer/engine/preflight.h"

#include <set>

#include "services/file_system.h"
#include "services/paths.h"
#include "services/volume.h"

namespace pellwise {

namespace {

std::string NamePart(const std::string& relative) {
    const size_t slash = relative.find_last_of("/\\");
    return slash == std::string::npos ? relative : relative.substr(slash + 1);
}

// The folder a new file will go in, or the nearest one above it that exists.
std::string ExistingFolderOf(const std::string& path, const std::string& gameDir) {
    std::string folder = ParentFolder(path);
    while (folder.size() > gameDir.size() && !DirectoryExists(folder)) folder = ParentFolder(folder);
    return folder;
}

// Folders are named to the player without their closing separator.
SystemError Named(SystemError error) {
    while (error.Path.size() > 1 && (error.Path.back() == '/' || error.Path.back() == '\\')) error.Path.pop_back();
    return error;
}

}  // namespace

bool NeedsRights(const SystemError& error) {
    return error.Kind == ReasonKind::AccessDenied && error.Detail != kFolderInTheWay;
}

SystemError CheckTargets(const std::string& gameDir, const std::vector<std::string>& targets, uint64_t needed) {
    // The journal and the backups go into the game folder itself.
    std::set<std::string> folders{WithTrailingSeparator(gameDir)};
    for (const std::string& target : targets) {
        const std::string path = JoinPath(gameDir, target);
        if (FileExists(path)) {
            if (SystemError error = CheckReplaceable(path)) return error;
        } else if (DirectoryExists(path)) {
            return {ReasonKind::AccessDenied, path, kFolderInTheWay};
        }
        const std::string folder = ExistingFolderOf(path, gameDir);
        if (NamePart(target).size() > NameLimit(folder)) return {ReasonKind::NameTooLong, path, {}};
#ifdef _WIN32
        // The program's file functions take paths of at most MAX_PATH - 1 characters.
        if (path.size() >= 260) return {ReasonKind::NameTooLong, path, {}};
#endif
        folders.insert(folder);
    }
    for (const std::string& folder : folders)
        if (SystemError error = CheckWritableFolder(folder)) return Named(error);
    const std::optional<uint64_t> free = FreeBytes(gameDir);
    if (free && *free < needed)
        return Named({ReasonKind::NoSpace, gameDir,
                      std::to_string(needed / 1024) + " KiB needed, " + std::to_string(*free / 1024) + " KiB free"});
    return {};
}

}  // namespace pellwise
