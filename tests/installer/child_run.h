#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pellwise::testing {

// The console program run as a child process, for what an in-process run
// cannot show: its peak memory, and a hang that must not take the test
// process with it.
struct ChildRun {
    int Status = -1;         // the exit status; -1 when it died of a signal or was killed
    bool TimedOut = false;   // killed after the time limit
    uint64_t PeakBytes = 0;  // the largest resident set the child had
};

// The console program of this build.
std::string ConsoleProgram();

// Runs `program args...` with its standard output and error in the file
// `output` (discarded when empty); a program that cannot be started exits
// with 127. Nothing on platforms where the test does not watch a child.
std::optional<ChildRun> RunChild(const std::string& program, const std::vector<std::string>& args, int timeLimitSeconds,
                                 const std::string& output = {});

}  // namespace pellwise::testing
