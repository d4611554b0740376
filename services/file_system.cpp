#include "services/file_system.h"

namespace pellwise {

std::string DecimalText(int32_t value) { return std::to_string(value); }

}  // namespace pellwise
