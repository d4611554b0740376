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

// Copies everything under each source (several separated by CR; a trailing
// "*" means the folder's content) into the destination folder. Windows uses
// SHFileOperationA (FO_COPY, FOF_ALLOWUNDO), whose own window asks before a
// file is replaced. Elsewhere the copy is recursive and never replaces an
// existing file silently: it asks through `messages` (Yes/No) unless `answer`
// is preset. Returns true when everything was copied and nothing aborted.
struct CopyReport {
    int copied = 0;
    int replaced = 0;
    int skipped = 0;
};
bool CopyFiles(const std::string& sources, const std::string& destination, uint32_t flags, MessageService& messages,
               ReplaceAnswer answer = ReplaceAnswer::Ask, CopyReport* report = nullptr);

}  // namespace pellwise
