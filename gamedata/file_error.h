#pragma once

#include <cstdint>
#include <string>

#include "services/message_text.h"
#include "services/system_error.h"

namespace pellwise {

class MessageService;

// Which of the game's files an operation failed on; it decides the wording.
enum class GameFileKind { Scene, TextDb, ObjectFile };

enum class FileErrorKind {
    None,
    CannotOpen,    // the system refused to open the file (Reason says why)
    BadSignature,  // a scene that does not begin with 53 4C
    Damaged,       // sizes or offsets that do not fit the file; Offset is the first bad byte
    CannotWrite,   // the file could not be written (Reason says why, when the system told)
};

// What went wrong with a game file, kept as data until a front end shows it.
struct FileError {
    FileErrorKind Kind = FileErrorKind::None;
    GameFileKind File = GameFileKind::Scene;
    std::string Path;  // in the system's encoding
    uint64_t Offset = 0;
    SystemError Reason;  // the system's reason; Kind None when it gave none

    explicit operator bool() const { return Kind != FileErrorKind::None; }
};

// The message the error is shown with: the reader's or writer's own text
// ("Scene2bin unit: Damaged file", "IO error", ...), then a line with the
// system's reason when there is one.
MessageText FileErrorText(const FileError& error);

// Why, in plain words and the system's encoding, for a report line:
// "not found (No such file or directory)", "damaged at offset 24", "not a
// scene file (wrong signature)". Empty when the error says nothing more.
std::string FileErrorReason(const FileError& error);

// Shows the error through the message seam as an error box.
void ShowFileError(MessageService& messages, const FileError& error);

// Runs `operation` (a reader or writer that fills a FileError) and shows
// the error when it fails; its result.
template <class Operation>
bool ShowingFileError(MessageService& messages, Operation operation) {
    FileError error;
    if (operation(error)) return true;
    ShowFileError(messages, error);
    return false;
}

// The system's reason for a failed write of `path`, found by looking when
// the system's own error is gone: the file, its folder, the free space.
SystemError WriteFailureReason(const std::string& path);

}  // namespace pellwise
