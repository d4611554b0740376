#pragma once

#include <optional>
#include <string>
#include <vector>

#include "installer/console/console.h"
#include "installer/engine/patch_report.h"

namespace pellwise {

// Walks a command line: options as "--name value" or "--name=value".
class ArgReader {
public:
    explicit ArgReader(const std::vector<std::string>& args, size_t first = 1) : args_(args), next_(first) {}

    bool Done() const { return next_ >= args_.size(); }
    // The next argument; an "--name=value" one is split, its value kept for Value().
    std::string Next();
    // The value of the option just read; empty with Failed() set when missing.
    std::string Value();
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    void Fail(std::string error) {
        if (error_.empty()) error_ = std::move(error);
    }

private:
    const std::vector<std::string>& args_;
    size_t next_;
    std::string current_;
    std::optional<std::string> inlineValue_;
    std::string error_;
};

std::optional<Answer> ParseYesNo(const std::string& text);
std::optional<long long> ParseCount(const std::string& text, long long min, long long max);

// A folder given on the command line (UTF-8), made absolute against the
// current folder and converted to the system's encoding, ending in a separator.
std::string FolderArgument(const std::string& utf8, const ConsoleIo& io);
std::string FileArgument(const std::string& utf8, const ConsoleIo& io);

int UsageError(ConsoleIo& io, const std::string& message);

int RunInstall(const std::vector<std::string>& args, ConsoleIo& io);
int RunMissions(const std::vector<std::string>& args, ConsoleIo& io);
int RunScene(const std::vector<std::string>& args, ConsoleIo& io);
int RunTextDb(const std::vector<std::string>& args, ConsoleIo& io);
int RunSample(const std::vector<std::string>& args, ConsoleIo& io);
int RunRestore(const std::vector<std::string>& args, ConsoleIo& io);
int RunStatus(const std::vector<std::string>& args, ConsoleIo& io);
int RunRecover(const std::vector<std::string>& args, ConsoleIo& io);
int RunCheck(const std::vector<std::string>& args, ConsoleIo& io);

}  // namespace pellwise
