#include "installer/console/console_report.h"

#include <cstdio>
#include <ostream>

#include "installer/console/native_text.h"
#include "installer/engine/ledger.h"
#include "installer/engine/left_out.h"
#include "installer/engine/mod_check.h"
#include "services/text_codec.h"

namespace pellwise {

namespace {

const char* ChunkKind(uint16_t kind) {
    switch (kind) {
        case 0x4010:
            return "object";
        case 0xAE21:
            return "definition";
        case 0xAE51:
            return "entry 0xAE51";
        case 0xAE03:
            return "entry 0xAE03";
        default:
            return "chunk";
    }
}

const char* AnswerText(Answer answer) { return answer == Answer::Yes ? "yes" : answer == Answer::No ? "no" : "-"; }

// " (REASON)" when the error names one.
std::string Because(const FileError& error) {
    const std::string reason = FileErrorReason(error);
    return reason.empty() ? std::string() : " (" + NativeToUtf8(reason) + ")";
}

std::string Why(const ObjectFileOutcome& f) {
    switch (f.State) {
        case ObjectFileState::Replaced:
            return "replaced by " + NativeToUtf8(f.Other) + ", which holds the same name";
        case ObjectFileState::Dropped:
            return "kept " + NativeToUtf8(f.Other) + ", which holds the same name";
        case ObjectFileState::UnknownKind:
            return "its chunk kind " + HexId(f.Kind) + " belongs to no scene section";
        case ObjectFileState::Damaged:
            return "damaged or unreadable" + Because(f.Error);
        case ObjectFileState::StoredNotImported:
            return "entries of section 0xAE02 are not installed into missions";
        case ObjectFileState::Stored:
            break;
    }
    return {};
}

void PrintChecks(std::ostream& out, const Installer& installer) {
    const WizardSummary& s = installer.Summary();
    int objectFiles = static_cast<int>(s.ObjectFiles.size());
    out << "Checks passed: tables"
        << ", version \"" << Cp1251ToUtf8(s.VersionLine) << "\""
        << ", text database " << NativeToUtf8(s.TextDbPath) << " (" << s.TextDbEntries << " entries, "
        << KindDescription(s.TextDbKind) << ")"
        << ", NewTexts.ini, " << installer.Missions().size() << " missions, " << objectFiles << " object files\n";
}

void PrintObjectFiles(std::ostream& out, const WizardSummary& s) {
    int n = 0;
    for (const ObjectFileOutcome& f : s.ObjectFiles) n += f.State != ObjectFileState::Stored;
    if (n == 0) return;
    out << "Object files not installed: " << n << '\n';
    for (const ObjectFileOutcome& f : s.ObjectFiles)
        if (f.State != ObjectFileState::Stored) out << "  " << NativeToUtf8(f.FileName) << ": " << Why(f) << '\n';
}

void PrintChanges(std::ostream& out, const char* verb, const std::vector<ChunkChange>& changes) {
    for (const ChunkChange& c : changes)
        out << "    " << verb << ' ' << ChunkKind(c.Kind) << ' ' << Cp1251ToUtf8(c.Name) << " (" << c.Size
            << " bytes)\n";
}

void PrintMissions(std::ostream& out, const PatchReport& report) {
    out << "Missions: " << report.Missions.size() << '\n';
    for (const MissionReport& m : report.Missions) {
        out << "  " << NativeToUtf8(m.Name) << ": ";
        if (m.Outcome == MissionOutcome::LoadFailed) {
            out << "FAILED: the scene could not be read" << Because(m.LoadError) << "; left unchanged\n";
            continue;
        }
        out << m.Added.size() << " added, " << m.Replaced.size() << " replaced, " << m.Kept.size() << " kept; scene "
            << m.SizeBefore << " -> " << m.SizeAfter << " bytes";
        if (m.TrailingBytes > 0) out << " (" << m.TrailingBytes << " bytes after the scene's end kept as they were)";
        if (m.Outcome == MissionOutcome::SaveFailed) out << "; FAILED: could not be written, the old scene stays";
        out << '\n';
        PrintChanges(out, "added   ", m.Added);
        PrintChanges(out, "replaced", m.Replaced);
        PrintChanges(out, "kept    ", m.Kept);
    }
}

void PrintTexts(std::ostream& out, const PatchReport& report) {
    out << "Texts added to the database: " << report.TextsAdded.size() << '\n';
    for (const TextDBEntry& e : report.TextsAdded) out << "  " << e.Id << "  " << Cp1251ToUtf8(e.Text) << '\n';
    if (report.TextsWithoutId > 0)
        out << "  LEFT OUT: " << report.TextsWithoutId
            << " texts got no ID (the database has no free ID left); their scripts show text 0\n";
    if (!report.DryRun && !report.TextDbSaved)
        out << "  FAILED: the text database could not be written; the old file stays\n";
}

void PrintUnknownSections(std::ostream& out, const PatchReport& report) {
    for (const MissionReport& m : report.Missions) {
        if (m.UnknownSections.empty()) continue;
        out << "Unrecognised sections kept in " << NativeToUtf8(m.Name) << ':';
        for (uint16_t id : m.UnknownSections) out << ' ' << HexId(id);
        out << '\n';
    }
}

void PrintFiles(std::ostream& out, const PatchReport& report) {
    if (!report.FilesFolderPresent) {
        out << "Files: the mod has no files\\ folder\n";
        return;
    }
    int counts[4] = {};
    for (const FileCopy& f : report.Files) ++counts[static_cast<int>(f.Outcome)];
    out << "Files: " << counts[0] << " copied, " << counts[1] << " replaced, " << counts[2] << " kept, " << counts[3]
        << " failed\n";
    static const char* const kVerbs[] = {"copied  ", "replaced", "kept    ", "FAILED  "};
    for (const FileCopy& f : report.Files)
        out << "  " << kVerbs[static_cast<int>(f.Outcome)] << ' ' << NativeToUtf8(f.RelativePath) << '\n';
    for (const std::string& link : report.LinksSkipped)
        out << "  link     " << NativeToUtf8(link) << " (not followed)\n";
}

void PrintAnswers(std::ostream& out, const Installer& installer, const PatchReport& report, const PatchOptions& options,
                  int unanswered) {
    bool storeCollision = false;
    for (const ObjectFileOutcome& f : installer.Summary().ObjectFiles)
        storeCollision |= f.State == ObjectFileState::Replaced || f.State == ObjectFileState::Dropped;
    bool sceneCollision = false;
    for (const MissionReport& m : report.Missions) sceneCollision |= !m.Replaced.empty() || !m.Kept.empty();
    const char* how = options.Overwrite == Answer::Ask ? "asked" : "--overwrite";
    if (storeCollision)
        out << "Overwrite among the mod's files: " << AnswerText(installer.Summary().StoreAnswer) << " (" << how
            << ")\n";
    if (sceneCollision) out << "Overwrite in the missions: " << AnswerText(report.SceneAnswer) << " (" << how << ")\n";
    if (report.ReplaceAnswer != Answer::Ask)
        out << "Replace existing files: " << AnswerText(report.ReplaceAnswer) << " ("
            << (options.ReplaceFiles == Answer::Ask ? "asked" : "--replace-files") << ")\n";
    if (!report.VirtualStoreFound.empty()) {
        const bool moved = report.VirtualStoreAnswer == Answer::Yes;
        out << "Old VirtualStore copies: " << (moved ? "moved into the backup" : "kept, the game reads them instead")
            << " (" << (options.VirtualStore == Answer::Ask ? "asked" : "--virtual-store") << ")\n";
        for (const VirtualStoreCopy& copy : report.VirtualStoreFound) out << "  " << NativeToUtf8(copy.Copy) << '\n';
    }
    if (unanswered > 0)
        out << "Note: " << unanswered << (unanswered == 1 ? " question was" : " questions were")
            << " answered no: there was no terminal to ask on (use --overwrite, --replace-files and --virtual-store)\n";
}

void PrintBackups(std::ostream& out, const Installer& installer, const PatchReport& report) {
    if (report.InstallNumber == 0) return;
    const std::string game = NativeToUtf8(installer.GameDir());
    out << "Backups: the originals are kept in " << NativeToUtf8(BackupFolder(installer.GameDir())) << " (install "
        << report.InstallNumber << ")\n";
    out << "To undo this install: pellwise restore --game \"" << game << "\"\n";
}

std::string LeftOutText(const LeftOutPart& part) {
    switch (part.Kind) {
        case LeftOutKind::DamagedObjectFile:
            return "object file " + NativeToUtf8(part.Name) + ": damaged or unreadable, its chunk is in no mission";
        case LeftOutKind::TextsWithoutId:
            return part.Name + " texts got no ID (the database has no free ID left); their scripts show text 0";
        case LeftOutKind::LinkInFiles:
            return "files\\" + NativeToUtf8(part.Name) + ": a link, not followed and copied as nothing";
        case LeftOutKind::ConflictInFiles:
            return "files\\" + NativeToUtf8(part.Name) + ": would replace a file this run patches, not copied";
    }
    return {};
}

// Markers whose keys NewTexts.ini lacks read "no text" in the game; the run
// goes on, and the author learns which definition asked.
void PrintMissingTexts(std::ostream& out, const Installer& installer) {
    const std::vector<MissingText> missing = FindMissingTexts(installer.ModDir());
    if (missing.empty()) return;
    out << "Texts missing from NewTexts.ini (shown as \"no text\"): " << missing.size() << '\n';
    for (const MissingText& m : missing)
        out << "  " << Cp1251ToUtf8(m.Key) << " asked by definition " << Cp1251ToUtf8(m.Definition) << " ("
            << NativeToUtf8(m.FileName) << ")\n";
}

}  // namespace

std::string HexId(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

const char* StopDescription(WizardStop stop) {
    switch (stop) {
        case WizardStop::None:
            return "-";
        case WizardStop::NoTables:
            return "the game has no tables folder";
        case WizardStop::NoVersion:
            return "tables/version.txt is missing or its first line is empty";
        case WizardStop::NoTextDb:
            return "the text database named by tables/version.txt is missing";
        case WizardStop::TextDbDamaged:
            return "the text database could not be read whole";
        case WizardStop::NoNewTexts:
            return "the mod's DATA/NewTexts.ini is missing or cannot be read";
        case WizardStop::NoMissions:
            return "no mission of the game holds a scene2.bin";
        case WizardStop::NoObjectFiles:
            return "the mod's DATA folder has no *.dnc file";
        case WizardStop::Locked:
            return "another installation is running in this game folder";
        case WizardStop::NotRecovered:
            return "an interrupted run could not be finished or undone";
    }
    return "?";
}

const char* KindDescription(TextDBKind kind) {
    switch (kind) {
        case TextDBKind::Undetermined:
            return "kind undetermined";
        case TextDBKind::Cyrillic:
            return "Cyrillic";
        case TextDBKind::Remapped:
            return "Latin letters";
        case TextDBKind::Other:
            return "other";
    }
    return "?";
}

void PrintReport(std::ostream& out, const Installer& installer, const PatchReport& report, const PatchOptions& options,
                 int unansweredQuestions) {
    if (report.DryRun) out << "Dry run: nothing was written; an install would do the following.\n";
    PrintChecks(out, installer);
    PrintObjectFiles(out, installer.Summary());
    PrintMissions(out, report);
    PrintTexts(out, report);
    PrintUnknownSections(out, report);
    PrintFiles(out, report);
    PrintAnswers(out, installer, report, options, unansweredQuestions);
    if (report.Stop) out << "Stopped before any game file changed: " << NativeToUtf8(report.Stop.Text()) << '\n';
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", report.Seconds);
    out << "Time: " << seconds << " s\n";
    PrintMissingTexts(out, installer);
    const std::vector<LeftOutPart> leftOut = LeftOutParts(installer.Summary(), report);
    out << "Result: ";
    if (report.Succeeded() && leftOut.empty())
        out << (report.DryRun ? "nothing written (dry run)" : "installed");
    else if (HardFailures(report) == 0)
        out << (report.DryRun ? "would be partly installed" : "partly installed");
    else
        out << "FAILED (" << report.FailedMissions() << " missions, " << report.FailedFiles() << " files"
            << (!report.DryRun && !report.TextDbSaved ? ", text database" : "") << (report.Stop ? ", stopped" : "")
            << ")";
    for (const LeftOutPart& part : leftOut) out << "\n  left out: " << LeftOutText(part);
    out << '\n';
    PrintBackups(out, installer, report);
}

}  // namespace pellwise
