#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "services/file_stream.h"

namespace pellwise {

// The operating system's file under a FileStream: unbuffered, with the
// platform's own file pointer. Implemented once per platform
// (file_stream_posix.cpp, file_stream_win32.cpp).
class PlatformFile {
public:
    // Reading: an existing file (never a folder) that others may read meanwhile.
    static std::unique_ptr<PlatformFile> OpenForReading(const std::string& path);
    // Writing: nobody else may open the file while this handle lives.
    static std::unique_ptr<PlatformFile> OpenForWriting(const std::string& path, CreationMode mode);

    ~PlatformFile();
    PlatformFile(const PlatformFile&) = delete;
    PlatformFile& operator=(const PlatformFile&) = delete;

    // Both return the bytes transferred at the file pointer: 0 at the end or on failure.
    int Read(void* buffer, int n);
    int Write(const void* buffer, int n);
    bool SeekTo(uint64_t position);
    // The file's length, or -1 when it cannot be determined.
    int64_t Size();
    bool Flush();
    void StartWriteOut();

private:
    explicit PlatformFile(intptr_t handle) : handle_(handle) {}
    intptr_t handle_;  // a file descriptor or a HANDLE
};

}  // namespace pellwise
