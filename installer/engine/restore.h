#pragma once

#include <optional>
#include <string>
#include <vector>

#include "installer/engine/ledger.h"
#include "installer/engine/transaction.h"

namespace pellwise {

struct RestoreOptions {
    std::string Mod;     // undo the latest install of this mod; empty: the latest install
    bool Force = false;  // put the originals back over files changed since the install
    bool DryRun = false;
};

enum class RestoreOutcome {
    Restored,
    WouldRestore,  // a dry run whose checks passed
    Nothing,       // the ledger holds no (such) install
    Locked,        // another run holds the game folder
    Refused,       // a later install touched its files, or files changed since (without Force)
    Failed,        // a check or the switch failed; see Error
};

struct RestoreReport {
    RestoreOutcome Outcome = RestoreOutcome::Nothing;
    Recovery Recovered;
    InstallRecord Record;  // the install undone (or that would be)
    std::string Refusal;
    std::vector<std::string> Changed;  // its files changed since the install by something else
    SystemError Error;
    int Replaced = 0;       // originals put back
    int Removed = 0;        // files of the install removed
    int CopiesPutBack = 0;  // old VirtualStore copies the install had moved away

    bool Ok() const { return Outcome == RestoreOutcome::Restored || Outcome == RestoreOutcome::WouldRestore; }
    // A few lines for the player, windows-1251 safe (ASCII apart from names).
    std::string Text() const;
};

// Undoes the latest install (of a mod) as one transaction of its own: replaced
// files come back byte for byte, created files go, then its backups and its
// ledger entry. Takes the game's lock, or works under `held`, a session the
// caller opened (with its recovery done) and holds.
RestoreReport RestoreGame(const std::string& gameDir, const RestoreOptions& options, const GameSession* held = nullptr);

struct GameStatus {
    std::vector<InstallRecord> Installs;  // oldest first
    bool LedgerUnreadable = false;
    bool JournalPending = false;
    bool Running = false;  // another run holds the game folder now
    std::optional<Journal> Pending;
};

GameStatus ReadGameStatus(const std::string& gameDir);

}  // namespace pellwise
