#include "commands/AutomaticAlignmentCommand.h"

#include "alignment/AlignmentPipeline.h"
#include "sequence/FastaReader.h"

#include <filesystem>

namespace sequara {

namespace {

// Steps that run on every end of the command.
class CommandClosing {
public:
    explicit CommandClosing(WorkingState& state) : state_(state), savedInitialNucleotides_(state.InitialNucleotides) {}
    ~CommandClosing() {
        state_.InitialNucleotides = savedInitialNucleotides_;
        state_.AutoReverse = false;
    }
    CommandClosing(const CommandClosing&) = delete;
    CommandClosing& operator=(const CommandClosing&) = delete;

private:
    WorkingState& state_;
    std::int32_t savedInitialNucleotides_;
};

// While the progress box shows: hidden again, and the main window enabled,
// however the passes end.
class ProgressBoxShown {
public:
    explicit ProgressBoxShown(AutomaticAlignmentView& view) : view_(view) {}
    ~ProgressBoxShown() {
        view_.HideProgressBox();
        view_.SetMainWindowEnabled(true);
    }
    ProgressBoxShown(const ProgressBoxShown&) = delete;
    ProgressBoxShown& operator=(const ProgressBoxShown&) = delete;

private:
    AutomaticAlignmentView& view_;
};

}  // namespace

void RunAutomaticAlignmentCommand(WorkingState& state, Platform& platform, FileDialogOptions& openFastaFileDialog,
                                  AutomaticAlignmentView& view) {
    CommandClosing closing(state);
    if (state.AutoReverse && !platform.AskOkCancel(kAutoReverseQuestion, "Question")) return;

    std::optional<FileDialogResult> chosen = platform.ChooseOpenFile(openFastaFileDialog);
    if (!chosen) return;
    openFastaFileDialog.FilterIndex = chosen->FilterIndex;
    openFastaFileDialog.InitialFolder = std::filesystem::path(chosen->FileName).parent_path().string();
    state.AlignmentTitle = chosen->FileName;

    const FastaReadResult read = ReadFastaFile(chosen->FileName, state.LoadedSequences, true, state.DataType, platform);
    // A file without sequences ends the command: the previous load is not
    // aligned again under the new name.
    if (read == FastaReadResult::NoEntries) platform.ShowMessage(kNoSequencesFound + chosen->FileName);
    if (read != FastaReadResult::Entries) return;

    view.SetMainWindowEnabled(false);
    view.SetGauge(0);
    ProgressBoxShown box(view);
    view.ShowProgressBox();
    view.RepaintMainWindow();
    platform.ProcessMessages();

    const PipelineParameters parameters = PipelineParametersFrom(state);

    // The box shows nothing new until the rounded percentage changes, so it
    // is repainted only then: at most 101 repaints per pass, however many
    // sequences there are.
    int shownGauge = 0;
    auto showGauge = [&](int percent) {
        if (percent == shownGauge) return;
        shownGauge = percent;
        view.SetGauge(percent);
        view.RepaintProgressBox();
    };
    // The alignment pass starts from an empty gauge under its own label.
    auto startAlignmentPass = [&] {
        if (shownGauge != 0) {
            shownGauge = 0;
            view.SetGauge(0);
        }
        view.SetProgressLabel(kAlignmentRunning);
        view.RepaintMainWindow();
    };
    if (parameters.AutoReverse) {
        view.SetProgressLabel(kOrientationRunning);
        view.RepaintMainWindow();
    } else {
        startAlignmentPass();
    }
    // The engine reports after each sequence of each pass, in order: the
    // orientation pass has ended with its n-th report, before any sequence
    // of the alignment pass is aligned.
    const std::size_t n = state.LoadedSequences.size();
    std::size_t orientationReports = 0;
    const std::string reference = state.ReferenceData.empty() ? std::string() : state.ReferenceData[0].Sequence;
    RunAutomaticAlignment(reference, state.LoadedSequences, state.AlignmentPositions, parameters,
                          [&](PipelinePass pass, int gaugePercent) {
                              showGauge(gaugePercent);
                              if (pass == PipelinePass::Orientation && ++orientationReports == n)
                                  startAlignmentPass();
                          });

    platform.ShowMessage(kAutoAlignFinished);
    view.OpenEditor();
    platform.ProcessMessages();
}

}  // namespace sequara
