#pragma once

#include <cstdint>
#include <string>

namespace pellwise::testing {

// Holds a file open the way another program that will not share it does, so
// that the installer cannot read it: a sharing mode of none on Windows, an
// exclusive lock (which the program's own streams honour) elsewhere. Works
// for root too, whom permission bits would not stop.
class LockedFile {
public:
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool Held() const { return held_; }

private:
    intptr_t handle_ = -1;
    bool held_ = false;
};

}  // namespace pellwise::testing
