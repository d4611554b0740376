#include "installer/engine/mission_list.h"

#include <algorithm>

#include "installer/engine/folders.h"
#include "services/file_system.h"
#include "services/folder_listing.h"
#include "services/paths.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

std::string SortKey(const std::string& name) {
#ifdef _WIN32
    return UpperCase(name);
#else
    return UpperCase(Utf8ToCp1251(name));
#endif
}

}  // namespace

bool MissionNameLess(const std::string& a, const std::string& b) {
    const std::string ka = SortKey(a);
    const std::string kb = SortKey(b);
    if (ka != kb) {
        // Compare as unsigned bytes, as the list control's comparison does.
        return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    }
    return a < b;
}

void SortMissionNames(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), MissionNameLess);
}

std::string ScenePath(const std::string& missionsDir, const std::string& mission) {
    return PathInAnyCase(JoinPath(missionsDir, mission), "scene2.bin");
}

std::vector<std::string> ListPatchableMissions(const std::string& missionsDir) {
    std::vector<std::string> names;
    const FolderListing listing(missionsDir, "*", kAttributeDirectory);
    for (int i = 0; i < listing.Count(); ++i) {
        const std::string name = listing.Names(i);
        if (FileExists(ScenePath(missionsDir, name))) names.push_back(name);
    }
    SortMissionNames(names);
    return names;
}

}  // namespace pellwise
