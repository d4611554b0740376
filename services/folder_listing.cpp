#include "services/folder_listing.h"

#include "services/folder_listing_platform.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

bool Passes(const FolderEntry& entry, const std::string& mask, uint32_t attributeFilter) {
    if ((entry.attributes & attributeFilter) != attributeFilter) return false;
    if (entry.name == "." || entry.name == "..") return false;
    return MatchesMask(entry.name, mask);
}

}  // namespace

FolderListing::FolderListing(const std::string& folder, const std::string& mask, uint32_t attributeFilter) {
    if (folder.empty()) return;
    path_ = WithTrailingSeparator(folder);
    for (FolderEntry& entry : folder_listing_platform::Enumerate(path_, mask))
        if (Passes(entry, mask, attributeFilter)) entries_.push_back(std::move(entry));
}

std::string FolderListing::Names(int index) const {
    if (index < 0 || index >= Count()) return "";
    return entries_[static_cast<size_t>(index)].name;
}

// Greedy matching with one point to come back to: when a later part fails,
// the last '*' takes one character more. Linear in practice and never
// exponential, whatever the mask.
bool MatchesMask(const std::string& name, const std::string& mask) {
    const std::string n = LowerCase(name);
    const std::string m = LowerCase(mask);
    size_t i = 0, j = 0;
    size_t starAt = std::string::npos, resumeAt = 0;
    while (i < n.size()) {
        if (j < m.size() && (m[j] == '?' || m[j] == n[i])) {
            ++i;
            ++j;
        } else if (j < m.size() && m[j] == '*') {
            starAt = j++;
            resumeAt = i;
        } else if (starAt != std::string::npos) {
            j = starAt + 1;
            i = ++resumeAt;
        } else {
            return false;
        }
    }
    while (j < m.size() && m[j] == '*') ++j;
    return j == m.size();
}

}  // namespace pellwise
