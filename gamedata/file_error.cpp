#include "gamedata/file_error.h"

#include "services/message_service.h"
#include "services/paths.h"
#include "services/volume.h"

namespace pellwise {

namespace {

// Room the writer needs beyond the file itself before a full disk is the
// likely reason.
constexpr uint64_t kSpareBytes = 1 << 20;

MessageText FileLine(const FileError& error) { return "\rFileName = " + SystemName{error.Path}; }

MessageText SceneText(const FileError& error) {
    switch (error.Kind) {
        case FileErrorKind::CannotOpen:
            return "Scene2bin unit: Can't open file" + FileLine(error);
        case FileErrorKind::BadSignature:
            return "Scene2bin unit: Incorrect file signature";
        case FileErrorKind::Damaged:
            return "Scene2bin unit: Damaged file" + FileLine(error) + "\rOffset = " + std::to_string(error.Offset);
        case FileErrorKind::CannotWrite:
            return "Scene2bin unit: Can't write file" + FileLine(error);
        case FileErrorKind::None:
            break;
    }
    return {};
}

// The system's reason; Other is a read's or a write's failure the system
// named no better.
std::string SystemReason(const SystemError& reason, const char* otherwise) {
    if (!reason) return {};
    std::string words = reason.Kind == ReasonKind::Other ? otherwise : ReasonWords(reason.Kind);
    if (!reason.Detail.empty()) words += " (" + reason.Detail + ")";
    return words;
}

// The reason's words are plain ASCII and its detail is the system's own
// text, so the whole line shows as the system spells it.
MessageText ReasonLine(const FileError& error) {
    if (!error.Reason) return {};
    return "\rReason = " + SystemName{FileErrorReason(error)};
}

}  // namespace

MessageText FileErrorText(const FileError& error) {
    if (!error) return {};
    MessageText text;
    switch (error.File) {
        case GameFileKind::Scene:
            text = SceneText(error);
            break;
        case GameFileKind::TextDb:
            text = "IO error";
            break;
        case GameFileKind::ObjectFile:
            text = "Damaged object file: " + SystemName{error.Path};
            break;
    }
    return text + ReasonLine(error);
}

std::string FileErrorReason(const FileError& error) {
    switch (error.Kind) {
        case FileErrorKind::CannotOpen:
            return SystemReason(error.Reason, "could not be read");
        case FileErrorKind::BadSignature:
            return "not a scene file (wrong signature)";
        case FileErrorKind::Damaged:
            return "damaged at offset " + std::to_string(error.Offset);
        case FileErrorKind::CannotWrite:
            return SystemReason(error.Reason, "could not be written");
        case FileErrorKind::None:
            break;
    }
    return {};
}

void ShowFileError(MessageService& messages, const FileError& error) {
    messages.ShowMessageBox(FileErrorText(error), kMbOk | kMbIconError);
}

SystemError WriteFailureReason(const std::string& path) {
    if (SystemError file = CheckReplaceable(path); file && file.Kind != ReasonKind::NotFound) return file;
    const std::string folder = ParentFolder(path);
    if (SystemError writable = CheckWritableFolder(folder)) return writable;
    const std::optional<uint64_t> free = FreeBytes(folder);
    if (free && *free < kSpareBytes) return {ReasonKind::NoSpace, path, {}};
    return {};
}

}  // namespace pellwise
