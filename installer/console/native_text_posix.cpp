#include <unistd.h>

#include "installer/console/native_text.h"
#include "services/paths.h"

namespace pellwise {

std::string NativeFromUtf8(std::string_view utf8) { return std::string(utf8); }
std::string NativeToUtf8(std::string_view native) { return std::string(native); }

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

std::string CurrentFolder() {
    std::string buffer(4096, '\0');
    if (getcwd(buffer.data(), buffer.size()) == nullptr) return "./";
    buffer.resize(buffer.find('\0'));
    return WithTrailingSeparator(buffer);
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path[0] == '/'; }

bool StdinAndStderrAreTerminals() { return isatty(0) && isatty(2); }

}  // namespace pellwise
