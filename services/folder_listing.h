#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellwise {

inline constexpr uint32_t kAttributeReadOnly = 0x01;
inline constexpr uint32_t kAttributeHidden = 0x02;
inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeArchive = 0x20;

struct FolderEntry {
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
};

// The entries of one folder whose attributes hold every bit of the filter and
// whose names match the mask ('*' and '?', without regard to case), never "."
// or "..". Windows keeps the platform's enumeration order; elsewhere entries
// are sorted by their upper-cased names so the order is reproducible and close
// to what NTFS gives.
class FolderListing {
public:
    FolderListing(const std::string& folder, const std::string& mask, uint32_t attributeFilter);

    int Count() const { return static_cast<int>(entries_.size()); }
    std::string Names(int index) const;
    const std::string& Path() const { return path_; }
    const std::vector<FolderEntry>& Entries() const { return entries_; }

private:
    std::string path_;
    std::vector<FolderEntry> entries_;
};

// The name test of a listing, exposed for tests: case-insensitive '*' and '?'.
bool MatchesMask(const std::string& name, const std::string& mask);

}  // namespace pellwise
