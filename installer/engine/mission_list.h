#pragma once

#include <string>
#include <vector>

namespace pellwise {

// The missions in the order of the GUI's list control: ascending by name,
// compared without regard to letter case (windows-1251 case mapping; on
// systems whose file names are UTF-8 the names are mapped to windows-1251
// first), equal keys by their bytes.
bool MissionNameLess(const std::string& a, const std::string& b);
void SortMissionNames(std::vector<std::string>& names);

// Every sub-folder of `missionsDir` that holds a file (not a folder) named
// scene2.bin, sorted as above.
std::vector<std::string> ListPatchableMissions(const std::string& missionsDir);

std::string ScenePath(const std::string& missionsDir, const std::string& mission);

}  // namespace pellwise
