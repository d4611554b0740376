#include <windows.h>

#include "services/console_message_service.h"

namespace pellwise {

bool StandardInputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

}  // namespace pellwise
