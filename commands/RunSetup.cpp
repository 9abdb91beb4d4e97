#include "commands/RunSetup.h"

#include "alignment/AlignmentFileReader.h"
#include "sequence/CharacterRules.h"
#include "sequence/FastaReader.h"
#include "sequence/FileLayer.h"
#include "sequence/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sequara {

void ApplyDefaultSettings(WorkingState& state) {
    state.HeaderColor = DefaultSettings::HeaderColor;
    state.ReferenceColor = DefaultSettings::ReferenceColor;
    state.MatchColor = DefaultSettings::MatchColor;
    state.MismatchColor = DefaultSettings::MismatchColor;
    state.SelectionColor = DefaultSettings::SelectionColor;
    state.HighlightColor = DefaultSettings::HighlightColor;
    state.MinAlignmentMatch = DefaultParameters::MinAlignmentMatch;
    state.InitialNucleotides = DefaultParameters::InitialNucleotides;
    state.IgnoreFastaNs = DefaultParameters::IgnoreFastaNs;
    state.IgnoreFastaGaps = DefaultParameters::IgnoreFastaGaps;
}

std::string ApplicationFolderOf(const std::string& programPath) {
    auto last = programPath.find_last_of("/\\:");
    return last == std::string::npos ? std::string() : programPath.substr(0, last + 1);
}

namespace {

// An integer setting; a value that is no integer is reported the way the
// conversion reports it, and the default stands in for it.
std::int32_t integerSetting(const TIniSection& section, const std::string& key, std::int32_t defaultValue,
                            Platform& platform) {
    try {
        return TIniFile::GetIntegerIniValue(section, key, defaultValue);
    } catch (const IniConversionError& e) {
        platform.ShowMessage(e.what());
        return defaultValue;
    }
}

}  // namespace

void ReadSettings(WorkingState& state, Platform& platform) {
    TIniFile ini(platform);
    if (!ini.OpenIniFile(state.SettingsFileName, true)) {
        ApplyDefaultSettings(state);
        return;
    }
    const TIniSection display = ini.ReadIniSection("DISPLAY_PARAMS");
    state.HeaderColor = TIniFile::GetColorIniValue(display, "HEADER_COLOR", 0);
    state.ReferenceColor = TIniFile::GetColorIniValue(display, "REFERENCE_COLOR", 0);
    state.MatchColor = TIniFile::GetColorIniValue(display, "MATCH_COLOR", 0);
    state.MismatchColor = TIniFile::GetColorIniValue(display, "MISMATCH_COLOR", 0);
    state.HighlightColor = TIniFile::GetColorIniValue(display, "HIGHLIGHT_COLOR", 0);
    state.SelectionColor = TIniFile::GetColorIniValue(display, "SELECTION_COLOR", 0);

    const TIniSection calc = ini.ReadIniSection("CALC_PARAMS");
    state.MinAlignmentMatch =
        integerSetting(calc, "MIN_ALIGNMENT_MATCH", DefaultParameters::MinAlignmentMatch, platform);
    state.InitialNucleotides =
        integerSetting(calc, "INITIAL_NUCLEOTIDES", DefaultParameters::InitialNucleotides, platform);
    state.IgnoreFastaNs = TIniFile::GetBooleanIniValue(calc, "IGNORE_FASTA_NS", DefaultParameters::IgnoreFastaNs);
    state.IgnoreFastaGaps =
        TIniFile::GetBooleanIniValue(calc, "IGNORE_FASTA_GAPS", DefaultParameters::IgnoreFastaGaps);
    ini.CloseIniFile();
}

void ReadReference(WorkingState& state, Platform& platform) {
    ReadFastaFile(state.ApplicationFolder + kReferenceFileName, state.ReferenceData, state.ReferenceNumbering,
                  false, state.DataType, platform);
    if (state.ReferenceData.empty()) state.ReferenceData.assign(1, TFastaSequence{});
}

ReferenceCheck CheckReferenceData(std::size_t sequenceLength, std::size_t labelCount) {
    if (labelCount >= 1 && labelCount != sequenceLength) return ReferenceCheck::LabelCountDiffers;
    if (sequenceLength == 0) return ReferenceCheck::Missing;
    if (sequenceLength > kMaxReferenceLength) return ReferenceCheck::TooLong;
    return ReferenceCheck::Accepted;
}

std::string MissingReferenceMessage() {
    return std::string("Alignment cannot proceed. The ReferenceSequence.txt file is missing or corrupted. "
                       "You may download a free example at ") +
           kExampleReferencesAddress + ".";
}

bool LooksLikeDna(std::string_view sequence) {
    bool letters = false;
    for (char c : sequence) {
        if (c == '-') continue;
        switch (c) {
            case 'A': case 'C': case 'G': case 'T': case 'U': case 'N':
            case 'a': case 'c': case 'g': case 't': case 'u': case 'n':
                letters = true;
                break;
            default:
                return false;
        }
    }
    return letters;
}

bool CheckReference(const WorkingState& state, Platform& platform, ReferenceCheckMoment moment,
                    const std::string& missingMessage, const std::string& refusedNote) {
    const std::string_view sequence =
        state.ReferenceData.empty() ? std::string_view() : std::string_view(state.ReferenceData[0].Sequence);
    const std::size_t length = sequence.size();
    const std::size_t labels = state.ReferenceNumbering.size();
    auto refuse = [&](const std::string& message) {
        platform.ShowMessage(refusedNote.empty() ? message : message + " " + refusedNote);
        return false;
    };
    switch (CheckReferenceData(length, labels)) {
        case ReferenceCheck::LabelCountDiffers:
            return refuse("Error: The Reference Sequence range specifies a length of " + std::to_string(labels) +
                          ", but the length of the reference sequence is " + std::to_string(length) +
                          ". Please close program and correct the reference Sequence file.");
        case ReferenceCheck::Missing:
            return refuse(missingMessage);
        case ReferenceCheck::TooLong:
            // At start-up the run goes on without automatic alignment; a
            // new reference refused keeps the previous one, and with it the
            // automatic alignment.
            return refuse(std::string("ReferenceSequence is too long (more than 99999 characters). ") +
                          (moment == ReferenceCheckMoment::StartUp ? "Automatic alignment will be disabled. " : "") +
                          "Please contact corvane Technology for help.");
        case ReferenceCheck::Accepted:
            break;
    }
    if (state.DataType == kAminoDataType && LooksLikeDna(sequence)) platform.ShowMessage(kDnaReferenceWarning);
    return true;
}

void RemoveAutosaveLeftovers(const std::string& folder) {
    for (const char* backupName : {kDnaBackupName, kAminoBackupName})
        RemoveTemporariesOf(DefaultFileLayer(), folder + backupName);
}

namespace {

// Moves the backup file name in folder to the first free name of its stem,
// "_unreadable", a number from 2 on and ".ali" ("backup_unreadable.ali",
// "backup_unreadable_2.ali", ...), never over an existing file: a link
// refuses a name that is taken.  Gives 0 and the new full name, or the errno
// value with the file left where it was.
int setAsideUnreadable(FileLayer& files, const std::string& folder, const std::string& name, std::string& keptAs) {
    const std::string file = folder + name;
    const std::string stem = name.substr(0, name.rfind('.'));
    for (int number = 1;; ++number) {
        keptAs = folder + stem + "_unreadable" + (number == 1 ? "" : "_" + std::to_string(number)) + ".ali";
        if (const int error = files.Link(file, keptAs); error == EEXIST) continue;
        else if (error != 0) return error;
        if (const int error = files.Remove(file); error != 0) {
            (void)files.Remove(keptAs);
            return error;
        }
        return 0;
    }
}

}  // namespace

BackupOffer OfferBackup(WorkingState& state, Platform& platform) {
    RemoveAutosaveLeftovers(state.ApplicationFolder);
    const std::string name = BackupName(state.DataType);
    const std::string file = state.ApplicationFolder + name;
    if (!FileExists(file)) return BackupOffer::NoBackup;
    // Only Yes or No ends the question: a backup left alone would be
    // overwritten by the autosave of the next editor this run opens.  A
    // question torn down without an answer (the program told to quit) keeps
    // the backup for the next start.
    switch (platform.AskYesNoUntilAnswered("Have found an old backup file in the directory.Restore?", "Warning",
                                           MessageType::Warning)) {
        case YesNoAnswer::No:
            std::remove(file.c_str());  // a failed deletion is not reported
            return BackupOffer::Deleted;
        case YesNoAnswer::Dismissed:
            return BackupOffer::Unanswered;
        case YesNoAnswer::Yes:
            break;
    }
    // Read into arrays of their own so that a failed read leaves no half
    // alignment in the working state.
    TFastaDataSet reference;
    TCharacterName numbering;
    TFastaDataSet sequences;
    if (!ReadAlignmentFile(file, reference, numbering, sequences, false, platform)) {
        // Moved aside, so that the next autosave cannot replace it.
        std::string keptAs;
        const int error = setAsideUnreadable(DefaultFileLayer(), state.ApplicationFolder, name, keptAs);
        platform.ShowMessage(std::string("An error occured when trying to read the backup file. ") +
                             (error == 0 ? "It has been kept as " + keptAs + "."
                                         : std::string("It could not be set aside (") + std::strerror(error) +
                                               "): the next autosave will replace it."));
        return BackupOffer::Unreadable;
    }
    state.AlignedReference = ToAlignedDataSet(std::move(reference));
    state.AlignedNumbering = std::move(numbering);
    state.AlignedSequences = ToAlignedDataSet(std::move(sequences));
    state.AlignmentTitle = name;
    return BackupOffer::Restored;
}

}  // namespace sequara
