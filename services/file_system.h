#pragma once

#include <cstdint>
#include <string>

namespace pellwise {

class MessageService;

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RemoveFile(const std::string& path);

// The folder of the program's own executable, ending in a separator.
std::string ProgramFolder();

std::string DecimalText(int32_t value);

enum class ReplaceAnswer { Ask, Yes, No };

struct CopyReport {
    int copied = 0;    // files written, replaced ones included
    int replaced = 0;  // of those, files that existed before
    int skipped = 0;   // existing files left as they were
};

struct CopyOptions {
    ReplaceAnswer answer = ReplaceAnswer::Ask;
    CopyReport* report = nullptr;  // filled by the program's own copy, not by the shell's
    void* ownerWindow = nullptr;   // Windows: the window that owns the shell's windows; none when null
};

// Copies everything under each source (several separated by CR; a last part
// with '*' or '?' means the matching entries of its folder, so "files\*" is
// the folder's content; without one, the file or folder itself) into the
// destination folder. Flags 0 copy; on Windows flags 1 move (the shell's
// operation 2 - (flags & 0x7F)).
// On Windows, when the answer is Ask, this is one SHFileOperationA with
// FOF_ALLOWUNDO, whose own window shows progress and asks before a file is
// replaced. Otherwise, and everywhere else, the program copies by itself:
// recursively, creating folders, every file through a temporary file, and
// never replacing an existing file silently: it asks through `messages`
// (Yes/No) unless the answer is preset. A folder is never copied into
// itself. Returns true when everything was copied or knowingly skipped and
// nothing failed or was aborted.
bool CopyFiles(const std::string& sources, const std::string& destination, uint32_t flags, MessageService& messages,
               const CopyOptions& options);

inline bool CopyFiles(const std::string& sources, const std::string& destination, uint32_t flags,
                      MessageService& messages, ReplaceAnswer answer = ReplaceAnswer::Ask,
                      CopyReport* report = nullptr) {
    return CopyFiles(sources, destination, flags, messages, CopyOptions{answer, report, nullptr});
}

}  // namespace pellwise
