#pragma once

#include <string>

namespace pellwise {

class ListControl;

// Mission names are folder names in the system's code page, not texts of
// the program, so they reach the list through that code page: a name shows
// as the file system has it and reads back as the same bytes.
void AddMissionItem(ListControl& list, const std::string& name);
std::string MissionItemText(ListControl& list, int index);

}  // namespace pellwise
