#include "installer/engine/loose_files.h"

#include "installer/engine/folders.h"
#include "services/atomic_file.h"
#include "services/file_system.h"
#include "services/paths.h"
#include "services/whole_file.h"

namespace pellwise {

namespace {

bool CopyOne(const std::string& source, const std::string& target) {
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(source);
    if (!bytes) return false;
    MakeFolders(ParentFolder(target));
    const std::string_view view(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return WriteFileAtomically(target, view) == AtomicWriteStatus::Ok;
}

}  // namespace

int LooseFilePlan::ExistingCount() const {
    int n = 0;
    for (bool e : Exists) n += e ? 1 : 0;
    return n;
}

LooseFilePlan PlanLooseFiles(const std::string& filesDir, const std::string& gameDir) {
    FolderTree tree = ListFolderTree(filesDir);
    LooseFilePlan plan;
    plan.Files = std::move(tree.Files);
    plan.Folders = std::move(tree.Folders);
    plan.Links = std::move(tree.Links);
    for (const std::string& file : plan.Files) plan.Exists.push_back(FileExists(PathInAnyCase(gameDir, file)));
    return plan;
}

MessageText ReplaceQuestion(const LooseFilePlan& plan, const std::string& gameDir, const std::string& caption) {
    std::string first;
    for (size_t i = 0; i < plan.Files.size() && first.empty(); ++i)
        if (plan.Exists[i]) first = JoinPath(gameDir, plan.Files[i]);
    return MessageText(caption + '\r') + SystemName{first};
}

std::vector<FileCopy> CopyLooseFiles(const LooseFilePlan& plan, const std::string& filesDir, const std::string& gameDir,
                                     bool replace, bool dryRun) {
    std::vector<FileCopy> result;
    if (!dryRun)
        for (const std::string& folder : plan.Folders) MakeFolders(JoinPath(gameDir, folder));
    for (size_t i = 0; i < plan.Files.size(); ++i) {
        FileCopy copy{plan.Files[i], plan.Exists[i] ? FileCopyOutcome::Replaced : FileCopyOutcome::Copied};
        if (plan.Exists[i] && !replace) {
            copy.Outcome = FileCopyOutcome::KeptExisting;
        } else if (!dryRun && !CopyOne(JoinPath(filesDir, plan.Files[i]), PathInAnyCase(gameDir, plan.Files[i]))) {
            copy.Outcome = FileCopyOutcome::Failed;
        }
        result.push_back(copy);
    }
    return result;
}

}  // namespace pellwise
