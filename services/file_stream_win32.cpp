#include <windows.h>

#include "services/file_stream_platform.h"

namespace pellwise {

namespace {

HANDLE Handle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::unique_ptr<PlatformFile> PlatformFile::OpenForReading(const std::string& path) {
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::unique_ptr<PlatformFile>(new PlatformFile(reinterpret_cast<intptr_t>(h)));
}

std::unique_ptr<PlatformFile> PlatformFile::OpenForWriting(const std::string& path, CreationMode mode) {
    const DWORD disposition = mode == CreationMode::CreateAlways       ? CREATE_ALWAYS
                              : mode == CreationMode::TruncateExisting ? TRUNCATE_EXISTING
                                                                       : OPEN_EXISTING;
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::unique_ptr<PlatformFile>(new PlatformFile(reinterpret_cast<intptr_t>(h)));
}

PlatformFile::~PlatformFile() { CloseHandle(Handle(handle_)); }

int PlatformFile::Read(void* buffer, int n) {
    DWORD got = 0;
    if (!ReadFile(Handle(handle_), buffer, static_cast<DWORD>(n), &got, nullptr)) return 0;
    return static_cast<int>(got);
}

int PlatformFile::Write(const void* buffer, int n) {
    DWORD put = 0;
    if (!WriteFile(Handle(handle_), buffer, static_cast<DWORD>(n), &put, nullptr)) return 0;
    return static_cast<int>(put);
}

bool PlatformFile::SeekTo(uint64_t position) {
    LONG high = static_cast<LONG>(position >> 32);
    const DWORD low = SetFilePointer(Handle(handle_), static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

int64_t PlatformFile::Size() {
    DWORD high = 0;
    const DWORD low = GetFileSize(Handle(handle_), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(high) << 32) | low);
}

bool PlatformFile::Flush() { return FlushFileBuffers(Handle(handle_)) != 0; }

void PlatformFile::StartWriteOut() {}

}  // namespace pellwise
