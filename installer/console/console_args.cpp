#include "installer/console/console_args.h"

#include <charconv>
#include <ostream>
#include <utility>

#include "installer/console/native_text.h"
#include "services/paths.h"

namespace pellwise {

std::string ArgReader::Next() {
    current_ = args_[next_++];
    inlineValue_.reset();
    const size_t eq = current_.find('=');
    if (current_.rfind("--", 0) == 0 && eq != std::string::npos) {
        inlineValue_ = current_.substr(eq + 1);
        current_.resize(eq);
    }
    return current_;
}

std::string ArgReader::Value() {
    if (inlineValue_) return *std::exchange(inlineValue_, std::nullopt);
    if (Done()) {
        Fail(current_ + " needs a value");
        return {};
    }
    return args_[next_++];
}

std::optional<Answer> ParseYesNo(const std::string& text) {
    if (text == "yes") return Answer::Yes;
    if (text == "no") return Answer::No;
    return std::nullopt;
}

std::optional<long long> ParseCount(const std::string& text, long long min, long long max) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max) return std::nullopt;
    return value;
}

namespace {

bool IsSeparator(char c) { return c == '/' || c == kPathSeparator; }

// Resolves "." and ".." by the text alone, so that the parent of "../" is the
// folder above and not the folder itself.
std::string Normalize(const std::string& path) {
    size_t rootLength = 0;
    while (rootLength < path.size() && !IsSeparator(path[rootLength])) ++rootLength;  // "" or "C:"
    while (rootLength < path.size() && IsSeparator(path[rootLength])) ++rootLength;
    std::vector<std::string> parts;
    size_t i = rootLength;
    while (i < path.size()) {
        size_t end = i;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::string part = path.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = end + 1;
    }
    std::string result = path.substr(0, rootLength);
    for (size_t k = 0; k < parts.size(); ++k) result += (k ? std::string(1, kPathSeparator) : "") + parts[k];
    return result;
}

}  // namespace

std::string FileArgument(const std::string& utf8, const ConsoleIo& io) {
    const std::string native = NativeFromUtf8(utf8);
    return Normalize(IsAbsolutePath(native) ? native : io.CurrentDir + native);
}

std::string FolderArgument(const std::string& utf8, const ConsoleIo& io) {
    return WithTrailingSeparator(FileArgument(utf8, io));
}

int UsageError(ConsoleIo& io, const std::string& message) {
    io.Err << "pellwise: " << message << "\nTry 'pellwise --help'.\n";
    return kExitUsage;
}

}  // namespace pellwise
