#include "services/atomic_file.h"
#include "services/copy_files_internal.h"
#include "services/folder_listing.h"
#include "services/message_service.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise::copy_files_internal {

namespace {

// Deeper than any game folder; a loop of links ends here instead of never.
constexpr int kMaxDepth = 64;

const char* Separators() { return kPathSeparator == '\\' ? "\\/" : "/"; }

bool CreateFolders(const std::string& path) {
    if (DirectoryExists(path)) return true;
    const size_t cut = path.find_last_of(Separators(), path.find_last_not_of(Separators()));
    if (cut != std::string::npos && cut > 0 && !CreateFolders(path.substr(0, cut))) return false;
    return CreateFolder(path);
}

class TreeCopy {
public:
    TreeCopy(const std::string& destination, MessageService& messages, ReplaceAnswer answer)
        : destination_(WithTrailingSeparator(destination)), messages_(messages), answer_(answer) {}

    bool CopySource(std::string source);
    const CopyReport& Report() const { return report_; }

private:
    bool CopyItem(const std::string& from, const std::string& name, bool isFolder);
    bool CopyFolder(const std::string& from, const std::string& to, int depth);
    bool CopyFile(const std::string& from, const std::string& to);
    bool MayReplace(const std::string& target);

    std::string destination_;
    MessageService& messages_;
    ReplaceAnswer answer_;
    CopyReport report_;
};

bool TreeCopy::CopySource(std::string source) {
    while (source.size() > 1 && source.find_last_of(Separators()) == source.size() - 1) source.pop_back();
    const size_t cut = source.find_last_of(Separators());
    const std::string folder = cut == std::string::npos ? "." : source.substr(0, cut + 1);
    const std::string last = cut == std::string::npos ? source : source.substr(cut + 1);
    if (last.find_first_of("*?") != std::string::npos) {
        const FolderListing listing(folder, last, 0);
        bool ok = true;
        for (const FolderEntry& entry : listing.Entries())
            ok = CopyItem(listing.Path() + entry.name, entry.name, (entry.attributes & kAttributeDirectory) != 0) && ok;
        return ok;
    }
    if (DirectoryExists(source)) return CopyItem(source, last, true);
    if (FileExists(source)) return CopyItem(source, last, false);
    return false;
}

bool TreeCopy::CopyItem(const std::string& from, const std::string& name, bool isFolder) {
    const std::string to = destination_ + name;
    if (isFolder) {
        // A folder that holds the destination would be copied into itself.
        return !SameOrInside(destination_, from) && CopyFolder(from, to, 0);
    }
    return !(FileExists(to) && SameOrInside(to, from)) && CopyFile(from, to);
}

bool TreeCopy::CopyFolder(const std::string& from, const std::string& to, int depth) {
    if (depth > kMaxDepth || FileExists(to) || !CreateFolder(to)) return false;
    const FolderListing listing(from, "*", 0);
    const std::string target = WithTrailingSeparator(to);
    bool ok = true;
    for (const FolderEntry& entry : listing.Entries()) {
        const std::string source = listing.Path() + entry.name;
        if (entry.attributes & kAttributeDirectory) {
            ok = CopyFolder(source, target + entry.name, depth + 1) && ok;
        } else {
            ok = CopyFile(source, target + entry.name) && ok;
        }
    }
    return ok;
}

bool TreeCopy::CopyFile(const std::string& from, const std::string& to) {
    if (DirectoryExists(to)) return false;
    const bool existed = FileExists(to);
    if (existed && !MayReplace(to)) {
        ++report_.skipped;
        return true;
    }
    if (CopyFileAtomically(from, to) != AtomicWriteStatus::Ok) return false;
    ++report_.copied;
    if (existed) ++report_.replaced;
    return true;
}

bool TreeCopy::MayReplace(const std::string& target) {
    if (answer_ != ReplaceAnswer::Ask) return answer_ == ReplaceAnswer::Yes;
    const std::string question = Ru("Файл уже существует:\r") + target + Ru("\rЗаменить его?");
    return messages_.ShowMessageBox(question, kMbYesNo | kMbIconQuestion) == kIdYes;
}

}  // namespace

bool CopyTree(const std::string& sources, const std::string& destination, MessageService& messages,
              const CopyOptions& options) {
    if (destination.empty() || !CreateFolders(destination)) return false;
    TreeCopy copy(destination, messages, options.answer);
    bool ok = true;
    size_t start = 0;
    while (start <= sources.size()) {
        size_t end = sources.find('\r', start);
        if (end == std::string::npos) end = sources.size();
        if (end > start) ok = copy.CopySource(sources.substr(start, end - start)) && ok;
        start = end + 1;
    }
    if (options.report) *options.report = copy.Report();
    return ok;
}

}  // namespace pellwise::copy_files_internal
