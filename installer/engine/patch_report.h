#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/answer.h"
#include "gamedata/file_error.h"
#include "gamedata/text_db.h"
#include "installer/engine/virtual_store.h"
#include "services/message_text.h"
#include "services/system_error.h"

namespace pellwise {

struct ChunkChange {
    uint16_t Kind = 0;
    std::string Name;
    uint32_t Size = 0;
};

enum class MissionOutcome { Patched, LoadFailed, SaveFailed };

struct MissionReport {
    std::string Name;
    std::string ScenePath;
    MissionOutcome Outcome = MissionOutcome::Patched;
    FileError LoadError;      // why the scene was not read, when LoadFailed
    uint32_t SizeBefore = 0;  // the file's real sizes, before and after
    uint32_t SizeAfter = 0;
    uint32_t TrailingBytes = 0;  // after the scene's total size, written back unchanged
    std::vector<ChunkChange> Added;
    std::vector<ChunkChange> Replaced;
    std::vector<ChunkChange> Kept;          // the scene's own chunk stayed, the mod's was not added
    std::vector<uint16_t> UnknownSections;  // sections the reader kept without knowing them
};

enum class FileCopyOutcome { Copied, Replaced, KeptExisting, Failed };

struct FileCopy {
    std::string RelativePath;
    FileCopyOutcome Outcome = FileCopyOutcome::Copied;
};

struct PatchReport {
    bool Ran = false;  // false: the run was refused (see Refusal), nothing was done
    std::string Refusal;
    bool DryRun = false;
    std::vector<MissionReport> Missions;
    std::vector<TextDBEntry> TextsAdded;  // the mod's texts new to the database, with their IDs
    bool TextDbSaved = false;
    int TextsWithoutId = 0;            // the mod's texts the database had no free ID for; they read as text 0
    Answer SceneAnswer = Answer::Ask;  // the overwrite answer of the run; Ask: no collision
    bool FilesFolderPresent = false;
    std::vector<FileCopy> Files;
    std::vector<std::string> LinksSkipped;  // links below files\, not followed and copied as nothing
    Answer ReplaceAnswer = Answer::Ask;     // Ask: no file of the mod existed in the game
    // Old VirtualStore copies of files the run wrote, which the game would
    // read instead; those moved into the backup; Ask: none was found.
    std::vector<VirtualStoreCopy> VirtualStoreFound;
    std::vector<VirtualStoreCopy> VirtualStoreMoved;
    Answer VirtualStoreAnswer = Answer::Ask;
    double Seconds = 0;
    // Files of files\ whose target is a file this run patches (a ticked
    // mission's scene, the text database): not copied, so they cannot undo it.
    std::vector<std::string> Conflicts;
    // The check or write that stopped the run before its switch: no game
    // file changed. Empty when the run went through.
    SystemError Stop;
    int InstallNumber = 0;  // the install's number in the backup ledger; 0 when nothing was installed

    int FailedMissions() const;
    int FailedFiles() const;
    // Everything asked for was done (or, in a dry run, would have been).
    bool Succeeded() const;
};

}  // namespace pellwise
