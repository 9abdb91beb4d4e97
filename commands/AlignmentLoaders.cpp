#include "commands/AlignmentLoaders.h"

#include "alignment/AlignmentFileReader.h"
#include "commands/AutomaticAlignmentCommand.h"
#include "sequence/FastaReader.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace sequara {

namespace {
// The open dialog keeps the filter and folder last chosen.
std::optional<std::string> chooseFile(Platform& platform, FileDialogOptions& dialog) {
    std::optional<FileDialogResult> chosen = platform.ChooseOpenFile(dialog);
    if (!chosen) return std::nullopt;
    dialog.FilterIndex = chosen->FilterIndex;
    dialog.InitialFolder = std::filesystem::path(chosen->FileName).parent_path().string();
    return chosen->FileName;
}
}  // namespace

bool LoadTemporaryAlignment(WorkingState& state, Platform& platform, FileDialogOptions& dialog, bool gravity) {
    const std::optional<std::string> file = chooseFile(platform, dialog);
    if (!file) return false;
    TFastaDataSet reference;
    TCharacterName labels;
    TFastaDataSet sequences;
    const bool read = ReadAlignmentFile(*file, reference, labels, sequences, gravity, platform);
    // What the reader reached replaces the aligned state, as far as it got.
    if (!reference.empty()) state.AlignedReference = ToAlignedDataSet(std::move(reference));
    if (!labels.empty()) state.AlignedNumbering = std::move(labels);
    if (!read) {
        platform.ShowMessage(kAlignmentReadError);
        return false;
    }
    state.AlignedSequences = ToAlignedDataSet(std::move(sequences));
    state.AlignmentTitle = *file;
    return true;
}

bool LoadDisplayOnlyFasta(WorkingState& state, Platform& platform, FileDialogOptions& dialog) {
    if (!platform.AskOkCancel(kDisplayOnlyQuestion, "Question")) return false;
    const std::optional<std::string> file = chooseFile(platform, dialog);
    if (!file) return false;
    const std::string previousTitle = state.AlignmentTitle;
    state.AlignmentTitle = *file;
    // A file without any entry must not bring back the previous load.
    TFastaDataSet loaded;
    if (ReadFastaFile(*file, loaded, true, state.DataType, platform) == FastaReadResult::NoEntries)
        platform.ShowMessage(kNoSequencesFound + *file);
    TFastaDataSet previousLoaded;
    previousLoaded.swap(state.LoadedSequences);
    if (loaded.empty()) return false;

    std::size_t minLen = SIZE_MAX, maxLen = 0;
    for (const TFastaSequence& s : loaded) {
        if (s.Sequence.empty()) continue;
        minLen = std::min(minLen, s.Sequence.size());
        maxLen = std::max(maxLen, s.Sequence.size());
    }
    if (maxLen == 0) {
        platform.ShowMessage(kDisplayOnlyNothingToShow);
        return false;
    }
    std::size_t length = maxLen;
    if (minLen != maxLen) {
        switch (platform.AskYesNo(kDisplayOnlyLengthQuestion, "Warning", MessageType::Warning)) {
            case YesNoAnswer::Yes: break;
            case YesNoAnswer::No: length = minLen; break;
            case YesNoAnswer::Dismissed:  // neither pads nor cuts: the load is cancelled
                state.AlignmentTitle = previousTitle;
                state.LoadedSequences.swap(previousLoaded);
                return false;
        }
    }
    for (TFastaSequence& s : loaded) s.Sequence.resize(length, '-');

    TCharacterName labels(length);
    std::size_t count = 0;
    const std::string& reference = loaded[0].Sequence;
    for (std::size_t p = 0; p < length; ++p)
        if (reference[p] != '-') labels[p] = TLabel(std::to_string(++count));
    state.AlignedNumbering = std::move(labels);
    state.AlignedSequences = ToAlignedDataSet(std::move(loaded));
    // The reference row shares the first row's characters until either
    // changes.
    state.AlignedReference.assign(1, TAlignedSequence{std::string(), state.AlignedSequences[0].Sequence});
    return true;
}

}  // namespace sequara
