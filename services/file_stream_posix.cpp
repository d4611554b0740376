#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "services/file_stream_platform.h"

namespace pellwise {

namespace {

int Descriptor(intptr_t handle) { return static_cast<int>(handle); }

// Windows refuses a second open that conflicts with the sharing of an open
// handle; advisory locks give the same answer between the program's own
// streams: readers share, a writer is alone. A file system without locks
// (ENOLCK and the like) is no reason to refuse the open.
bool TakeLock(int fd, int kind) {
    while (flock(fd, kind | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        return errno != EWOULDBLOCK;
    }
    return true;
}

// Closes the file and leaves the reason of the refusal in errno for LastSystemError.
std::unique_ptr<PlatformFile> Refuse(int fd, int reason) {
    ::close(fd);
    errno = reason;
    return nullptr;
}

// Reading a file is no reason to write its inode: with relatime, the first
// read after a change updates the access time, and an install reads hundreds
// of files just unpacked, whose updates the run's flushes would then carry to
// the disk. The system refuses O_NOATIME on a file of another owner.
int OpenWithoutAccessTime(const std::string& path) {
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
#ifdef O_NOATIME
    const int fd = ::open(path.c_str(), kFlags | O_NOATIME);
    if (fd >= 0 || errno != EPERM) return fd;
#endif
    return ::open(path.c_str(), kFlags);
}

}  // namespace

std::unique_ptr<PlatformFile> PlatformFile::OpenForReading(const std::string& path) {
    // Only regular files are read: a named pipe or a terminal in the game's
    // folder would block the open or the reads for good. O_NONBLOCK lets the
    // open of a pipe return so it can be refused; regular files ignore it.
    const int fd = OpenWithoutAccessTime(path);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0) return Refuse(fd, errno);
    // A folder or device where a file is expected: Windows says access denied.
    if (!S_ISREG(st.st_mode)) return Refuse(fd, EACCES);
    if (!TakeLock(fd, LOCK_SH)) return Refuse(fd, errno);
    return std::unique_ptr<PlatformFile>(new PlatformFile(fd));
}

std::unique_ptr<PlatformFile> PlatformFile::OpenForWriting(const std::string& path, CreationMode mode) {
    // The file is cut only once the lock is held, so a file that another
    // stream is reading keeps its content when this open is refused.
    const int flags = O_WRONLY | O_CLOEXEC | (mode == CreationMode::CreateAlways ? O_CREAT : 0);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return nullptr;
    if (!TakeLock(fd, LOCK_EX)) return Refuse(fd, errno);
    if (mode != CreationMode::KeepExisting && ftruncate(fd, 0) != 0) return Refuse(fd, errno);
    return std::unique_ptr<PlatformFile>(new PlatformFile(fd));
}

PlatformFile::~PlatformFile() { ::close(Descriptor(handle_)); }

int PlatformFile::Read(void* buffer, int n) {
    ssize_t got;
    do {
        got = ::read(Descriptor(handle_), buffer, static_cast<size_t>(n));
    } while (got < 0 && errno == EINTR);
    return got < 0 ? 0 : static_cast<int>(got);
}

int PlatformFile::Write(const void* buffer, int n) {
    const auto* bytes = static_cast<const char*>(buffer);
    int done = 0;
    while (done < n) {
        const ssize_t put = ::write(Descriptor(handle_), bytes + done, static_cast<size_t>(n - done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;
        done += static_cast<int>(put);
    }
    return done;
}

bool PlatformFile::SeekTo(uint64_t position) {
    return lseek(Descriptor(handle_), static_cast<off_t>(position), SEEK_SET) >= 0;
}

int64_t PlatformFile::Size() {
    struct stat st {};
    if (fstat(Descriptor(handle_), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool PlatformFile::Flush() { return fsync(Descriptor(handle_)) == 0; }

void PlatformFile::StartWriteOut() {
#ifdef SYNC_FILE_RANGE_WRITE
    sync_file_range(Descriptor(handle_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

}  // namespace pellwise
