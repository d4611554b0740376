#pragma once

#include <cstdint>
#include <string>

namespace pellwise::atomic_file_platform {

// What the atomic writer needs to know of the file it is about to replace.
struct TargetState {
    bool exists = false;
    bool isFolder = false;
    bool readOnly = false;  // POSIX: no write permission bit; Windows: FILE_ATTRIBUTE_READONLY
    uint32_t keptBits = 0;  // POSIX: the permission bits; Windows: the attributes to carry over
};

TargetState InspectTarget(const std::string& path);

// Gives the written temporary file what the replaced file had.
void CarryOver(const std::string& temporary, const TargetState& target);

// Puts the temporary file in the target's place in one step, replacing it.
bool ReplaceTarget(const std::string& temporary, const std::string& target);

}  // namespace pellwise::atomic_file_platform
