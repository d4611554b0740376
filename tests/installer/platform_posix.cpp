#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string_view>
#include <thread>

#include "installer_test_support.h"

namespace pellwise::testing {

namespace {

// The high-water mark of the process's resident set, from /proc; 0 when gone.
uint64_t PeakResident(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

[[noreturn]] void StartChild(const std::string& program, char** argv, char** env, const std::string& output) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    // Traced, so that the parent can read the peak at the moment the child
    // exits, while its memory is still there.
    ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    execve(program.c_str(), argv, env);
    _exit(127);
}

}  // namespace

LockedFile::LockedFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    handle_ = fd;
    held_ = flock(fd, LOCK_EX | LOCK_NB) == 0;
}

LockedFile::~LockedFile() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

// getrusage of a child would not do: a forked child starts with the test
// process's own high-water mark and keeps it through exec, so the peak is
// read from /proc when the child stops on its way out.
std::optional<ChildRun> RunPellwise(const std::vector<std::string>& args, int timeLimitSeconds,
                                    const std::string& output) {
    const std::string program = std::string(PELLWISE_BINARY_DIR) + "/pellwise";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    // The sanitizers' quarantine keeps freed memory resident; without it the
    // peak shows what the program itself holds. The leak checker would trace
    // the process itself, which a traced process cannot allow.
    std::string sanitizer = "ASAN_OPTIONS=quarantine_size_mb=1:detect_leaks=0";
    std::vector<char*> env{sanitizer.data()};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::string_view(*e).rfind("ASAN_OPTIONS=", 0) != 0) env.push_back(*e);
    env.push_back(nullptr);

    ChildRun run;
    bool started = false;
    const pid_t pid = fork();
    if (pid == 0) StartChild(program, argv.data(), env.data(), output);
    if (pid < 0) return run;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeLimitSeconds);
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done < 0) return run;
        if (done == 0) {
            if (std::chrono::steady_clock::now() > deadline && !run.TimedOut) {
                run.TimedOut = true;
                kill(pid, SIGKILL);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return run;
        }
        if (!WIFSTOPPED(status)) continue;
        int deliver = 0;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            run.PeakBytes = PeakResident(pid);
        } else if (WSTOPSIG(status) == SIGTRAP && !started) {
            // The stop after exec: from here on, stop again at the exit.
            started = true;
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
        } else {
            deliver = WSTOPSIG(status);
        }
        ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<intptr_t>(deliver)));
    }
}

}  // namespace pellwise::testing
