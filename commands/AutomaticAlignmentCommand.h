#pragma once
// Load > "&Fasta file (auto align)" and its auto-reverse variant without the
// main window's widgets: the question, the file choice, reading, the
// progress box around the engine's passes, the finishing message and the
// editor opening, with every early end.  The main window supplies the
// widgets through AutomaticAlignmentView.

#include "platform/Platform.h"
#include "sequence/WorkingState.h"

#include <string>

namespace sequara {

inline constexpr const char* kAutoReverseQuestion =
    "This option automatically aligns your sequences and automatically \n"
    "transforms sequences into reverse complement where required.\n"
    "Run time is 3x as long as \"Load fasta (auto-align)\". ";
inline constexpr const char* kOrientationRunning = "Reverse complement analysis is running.";
inline constexpr const char* kAlignmentRunning = "Alignment is in progress. Please wait.";
inline constexpr const char* kNoSequencesFound = "The chosen file holds no sequences: ";
inline constexpr const char* kAutoAlignFinished =
    "Auto-align finished. Please check each position for artefacts, especially concerning insertion/deletion "
    "columns. See Help Link for a worked example.";

// What the command does to the main window.
class AutomaticAlignmentView {
public:
    virtual ~AutomaticAlignmentView() = default;
    virtual void SetMainWindowEnabled(bool enabled) = 0;
    // Shows the progress box in front of everything else in the window.
    virtual void ShowProgressBox() = 0;
    virtual void HideProgressBox() = 0;
    virtual void SetProgressLabel(const std::string& text) = 0;
    virtual void SetGauge(int percent) = 0;
    virtual void RepaintMainWindow() = 0;
    virtual void RepaintProgressBox() = 0;
    // Creates the editor, names its reference, builds its grids from
    // AlignmentPositions and LoadedSequences, disables the Load menu and
    // shows the editor maximised.
    virtual void OpenEditor() = 0;
};

// The command (Loadfromfastafile1Click).  openFastaFileDialog is the main
// window's FASTA open dialog; it keeps the filter and folder last chosen.
// On every end, InitialNucleotides
// keeps its value and AutoReverse becomes false; once the progress box is
// shown, it is hidden and the main window enabled again also when the engine
// throws (the exception then goes on to the caller).
void RunAutomaticAlignmentCommand(WorkingState& state, Platform& platform, FileDialogOptions& openFastaFileDialog,
                                  AutomaticAlignmentView& view);

}  // namespace sequara
