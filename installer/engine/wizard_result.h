#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/answer.h"
#include "gamedata/file_error.h"
#include "gamedata/text_db.h"
#include "services/message_text.h"

namespace pellwise {

// Why the wizard start stopped; None when every check passed.
enum class WizardStop {
    None,
    NoTables,       // the game has no "tables" folder
    NoVersion,      // tables\version.txt is missing, unreadable or its first line empty
    NoTextDb,       // the database that version.txt names is not there
    TextDbDamaged,  // the database could not be read whole ("IO error")
    NoNewTexts,     // the mod's DATA\NewTexts.ini is missing or cannot be read
    NoMissions,     // no mission folder holds a scene2.bin
    NoObjectFiles,  // the mod's DATA\ has no *.dnc
    Locked,         // another run holds the game folder
    NotRecovered,   // an interrupted run's journal could not be carried out
};

struct WizardResult {
    WizardStop Stop = WizardStop::None;
    MessageText Message;  // the text of the stop's message; empty when none

    bool Ok() const { return Stop == WizardStop::None; }
};

// What became of one object file while the object store was loaded.
enum class ObjectFileState {
    Stored,
    Replaced,           // a later file of the mod held a chunk of the same name and won
    Dropped,            // an earlier file held a chunk of the same name and was kept
    UnknownKind,        // its chunk belongs to no scene section
    Damaged,            // unreadable, or its size field does not fit the file
    StoredNotImported,  // an entry of section 0xAE02: stays in the store, never enters a mission
};

struct ObjectFileOutcome {
    std::string FileName;
    uint16_t Kind = 0;
    std::string ChunkName;
    ObjectFileState State = ObjectFileState::Stored;
    std::string Other;  // the file that replaced it or was kept instead of it
    FileError Error;    // why it was not read, when Damaged
};

struct WizardSummary {
    std::string VersionLine;
    std::string TextDbPath;
    int TextDbEntries = 0;  // as loaded, before the mod's texts
    TextDBKind TextDbKind = TextDBKind::Undetermined;
    std::vector<ObjectFileOutcome> ObjectFiles;
    Answer StoreAnswer = Answer::Ask;  // the overwrite answer of the object store; Ask: no collision
};

}  // namespace pellwise
