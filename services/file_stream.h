#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace pellwise {

enum class CreationMode {
    CreateAlways,      // a new file, or an existing one cut to 0
    TruncateExisting,  // an existing file cut to 0; fails when there is none
    KeepExisting,      // an existing file as it is, to flush what was written to it earlier
};

enum class SeekOrigin { Begin = 0, Current = 1, End = 2 };

// What Seek and Position give when the position cannot be set or told (the
// value of INVALID_SET_FILE_POINTER); a failed Seek leaves the position as it was.
inline constexpr uint32_t kSeekFailed = 0xFFFFFFFFu;

class PlatformFile;

// An open file with a current position. An open that fails still yields a
// stream: its reads and writes deliver 0 bytes, its Size is 0 and its Seek
// fails. Reads are buffered underneath, so 2- and 4-byte reads cost no system
// call each; callers see the same positions and results as unbuffered reads.
// Writes go straight to the file, so a count that Write returns is true.
// Positions are 32-bit: a Seek that would leave 0 .. 0xFFFFFFFF fails, and a
// file of 4 GiB or more has the Size 0 (it cannot be told in 32 bits).
class FileStream {
public:
    static FileStream OpenForReading(const std::string& path);
    static FileStream OpenForWriting(const std::string& path, CreationMode mode);

    FileStream(FileStream&&) noexcept;
    FileStream& operator=(FileStream&&) noexcept;
    ~FileStream();

    bool IsOpen() const;
    int Read(void* buffer, int n);
    int Write(const void* buffer, int n);
    uint32_t Seek(int32_t offset, SeekOrigin origin);
    uint32_t Position();
    uint32_t Size();
    std::string ReadLine();
    // Forces written bytes to the disk (fsync / FlushFileBuffers).
    bool Flush();
    // Asks the system to begin writing the written bytes to the disk without
    // waiting for it, so that a Flush later finds the work done (Linux only;
    // elsewhere the system's own write-behind does it).
    void StartWriteOut();

private:
    explicit FileStream(std::unique_ptr<PlatformFile> file);
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace pellwise
