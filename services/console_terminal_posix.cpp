#include <unistd.h>

#include "services/console_message_service.h"

namespace pellwise {

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) != 0; }

}  // namespace pellwise
