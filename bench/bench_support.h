#pragma once

// What the benchmark programs share: the answers to the installer's questions,
// the timing of a measured step and the folder of their files.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "services/message_service.h"

namespace pellwise::bench {

// Answers every question yes, as a player who wants the whole mod would.
class AnswerYes : public MessageService {
public:
    int ShowMessageBox(const MessageText&, unsigned flags) override {
        return (flags & kMbButtonMask) == kMbYesNo ? kIdYes : kIdOk;
    }
};

// Shows nothing: the measured code must not wait on a box.
class SilentMessages : public MessageService {
public:
    int ShowMessageBox(const MessageText&, unsigned) override { return kIdOk; }
};

// This run's own folder under the temporary folder, removed when the program
// ends, so that two benchmark runs at once never delete each other's games.
inline const std::filesystem::path& RunFolder() {
    struct Folder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("pellwise-bench-" + std::to_string(getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace pellwise::bench
