#include "services/volume.h"

#include "services/atomic_file_platform.h"

namespace pellwise {

bool MoveReplacing(const std::string& from, const std::string& to) {
    return atomic_file_platform::ReplaceTarget(from, to);
}

}  // namespace pellwise
