#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pellwise {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a check stopped the run, something failed or was left out
inline constexpr int kExitUsage = 2;

// Where the console front end reads and writes; tests give it string streams.
struct ConsoleIo {
    std::ostream& Out;  // the report, UTF-8
    std::ostream& Err;  // messages, questions and progress, UTF-8
    std::istream& In;   // answers to questions, read only when Terminal
    bool Terminal = false;
    std::string CurrentDir;  // ends in a separator; --mod defaults to it
};

// Runs one `pellwise` command line (the arguments after the program name, in
// UTF-8) and returns the exit status.
int RunConsole(const std::vector<std::string>& args, ConsoleIo& io);

}  // namespace pellwise
