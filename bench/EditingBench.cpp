// Every editing command on a large alignment, without a window, each run
// through the command boundary (checkpoint, undo snapshot, the change) and
// then undone; prints the mean of --runs repetitions of the command and of
// its undo, and the peak memory.  The alignment is an aligned FASTA file
// (every row padded with "-" to the longest) under the reference file's row,
// its columns labelled 1, 2, 3 ...
//
//   zcat /work/shared/data/1000genomes-chrMT/chrMT_sequences_2534.20160505.fasta.gz > /tmp/chrMT_2534.fasta
//   build/bench/sequara-editing-bench --fasta /tmp/chrMT_2534.fasta
//       --reference /work/shared/data/rcrs/rCRS_NC_012920.1.fasta [--runs 10]
#include "bench/BenchSupport.h"
#include "editor/AlignmentDocument.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/commands/CellCommands.h"
#include "editor/commands/ColumnCommands.h"
#include "editor/commands/RowMove.h"
#include "editor/commands/UndoCommands.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

using namespace sequara;
using namespace sequara::bench;

int main(int argc, char** argv) {
    std::string fasta, referenceFile;
    int runs = 10;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--fasta") && i + 1 < argc) fasta = argv[++i];
        else if (!std::strcmp(argv[i], "--reference") && i + 1 < argc) referenceFile = argv[++i];
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::atoi(argv[++i]);
    }
    if (fasta.empty() || referenceFile.empty() || runs < 1) {
        std::fprintf(stderr, "usage: %s --fasta FILE --reference FILE [--runs N]\n", argv[0]);
        return 2;
    }
    ScriptedPlatform platform;
    RunContext run(platform);
    WorkingState& state = run.State();
    state.DataType = "DNA";
    TFastaDataSet loaded, referenceData;
    TCharacterName unused;
    ReadFastaFile(fasta, loaded, unused, false, state.DataType, platform);
    ReadFastaFile(referenceFile, referenceData, unused, false, state.DataType, platform);
    if (loaded.empty() || referenceData.empty()) {
        std::fprintf(stderr, "no sequences read\n");
        return 1;
    }
    state.ReferenceData = referenceData;
    const std::size_t longest = PadRows(loaded, referenceData[0].Sequence.size());
    TAlignedDataSet reference(1);
    reference[0].Sequence = referenceData[0].Sequence + std::string(longest - referenceData[0].Sequence.size(), '-');
    TCharacterName labels;
    for (std::size_t i = 1; i <= longest; ++i) labels.emplace_back(std::to_string(i));
    AlignmentDocument document(state);
    document.Assign(std::move(reference), std::move(labels), ToAlignedDataSet(std::move(loaded)));
    EditorView view;
    view.SyncGridSizes(document);
    EditorContext ctx{document, view, run.Session(), platform};
    const int rows = document.RowCount();
    const int cols = document.ColumnCount();
    std::printf("alignment: %d rows x %d columns = %.1f million cells; %d runs each\n", rows, cols,
                double(rows) * cols / 1e6, runs);

    auto select = [&](int left, int top, int right, int bottom) {
        view.SequenceGrid.MoveTo(left, top);
        view.SequenceGrid.MoveTo(right, bottom, true);
    };
    // The command through the boundary, then Undo through it; prepare sets
    // the selection and options for run i.
    auto time = [&](const char* what, const std::function<void(int)>& prepare,
                    const std::function<void(EditorContext&)>& command, bool undo = true) {
        double commandMs = 0, undoMs = 0;
        const int columnsBefore = document.ColumnCount();
        for (int i = 0; i < runs; ++i) {
            prepare(i);
            const auto t0 = Clock::now();
            RunEditorCommand(ctx, command);
            const auto t1 = Clock::now();
            if (undo) RunEditorCommand(ctx, ButtonUndoClick);
            commandMs += Ms(t0, t1);
            undoMs += Ms(t1, Clock::now());
        }
        if (undo && document.ColumnCount() != columnsBefore) std::fprintf(stderr, "%s: undo did not restore\n", what);
        if (undo) std::printf("%-58s %9.3f ms   undo %8.3f ms\n", what, commandMs / runs, undoMs / runs);
        else std::printf("%-58s %9.3f ms\n", what, commandMs / runs);
    };
    auto key = [](char k) {
        return [k](EditorContext& c) {
            char typed = k;
            AlignedSequencesGridKeyPress(c, typed);
        };
    };
    auto keyDown = [](int k) { return [k](EditorContext& c) { AlignedSequencesGridKeyDown(c, k); }; };
    auto popup = [](const char* caption) {
        return [caption](EditorContext& c) { AlignmentGridPopupMenueItemChosen(c, caption); };
    };
    const int mid = cols / 2;

    time("typed character, one cell", [&](int i) { select(mid + i, i % rows, mid + i, i % rows); }, key('n'));
    view.DeletionMoveLeft = true;
    time("Delete key, one cell, shift left", [&](int i) { select(mid, i % rows, mid, i % rows); },
         keyDown(kVirtualKeyDelete));
    view.DeletionMoveLeft = false;
    time("Delete key, one cell, shift right", [&](int i) { select(mid, i % rows, mid, i % rows); },
         keyDown(kVirtualKeyDelete));
    view.InsertionMoveRight = true;
    time("Insert key, one cell, shift right, adds 1 column", [&](int i) { select(mid, i % rows, mid, i % rows); },
         keyDown(kVirtualKeyInsert));
    view.InsertionMoveRight = false;
    time("Insert key, one cell, shift left, adds 1 column", [&](int i) { select(mid, i % rows, mid, i % rows); },
         keyDown(kVirtualKeyInsert));
    view.DeletionMoveLeft = true;
    time("Delete key, 10 columns x every row", [&](int) { select(mid, 0, mid + 9, rows - 1); },
         keyDown(kVirtualKeyDelete));
    view.InsertionMoveRight = false;
    time("Insert key, 10 columns x every row, shift left, adds 10", [&](int) { select(mid, 0, mid + 9, rows - 1); },
         keyDown(kVirtualKeyInsert));
    view.InsertionMoveRight = true;
    time("Insert key, 10 columns x every row, shift right, adds 10", [&](int) { select(mid, 0, mid + 9, rows - 1); },
         keyDown(kVirtualKeyInsert));
    time("popup \"C = Cytosine\", 100 rows x 1000 columns", [&](int) { select(1000, 100, 1999, 199); },
         popup("C = Cytosine"));
    time("popup \"Remove sequence\", rows 100-2099", [&](int) { select(1, 100, 1, 2099); }, popup("Remove sequence"));
    time("Insert character (one gap column, reference popup)", [&](int) { view.ReferenceGrid.MoveTo(mid, 5); },
         Insertcharacter2Click);
    time("row move, first row to the last (no snapshot)", [&](int) {},
         [&](EditorContext& c) { AlignedSequencesGridRowMoved(c, 0, rows - 1); }, false);

    // Delete character over the whole alignment holding 100 inserted gap
    // columns: the labelled columns are refused, the inserted ones go in one
    // pass over the rows.
    std::vector<std::int32_t> spread;
    for (int k = 0; k < 100; ++k) spread.push_back(1 + k * (cols / 100));
    document.InsertGapColumns(spread);
    view.SyncGridSizes(document);
    time("Delete character, 100 inserted of 16669 selected columns", [&](int) {
        view.ReferenceGrid.MoveTo(0, 5);
        view.ReferenceGrid.MoveTo(document.ColumnCount() - 1, 5, true);
    }, Deletecharacter2Click);
    if (platform.Messages().size() != static_cast<std::size_t>(runs)) std::fprintf(stderr, "unexpected messages\n");
    // Typing while the copy buffer holds the whole alignment (Ctrl+C on
    // everything): the boundary keeps the buffer aside for every command.
    select(1, 0, document.ColumnCount(), rows - 1);
    RunEditorCommand(ctx, CopyCommand);
    time("typed character, the whole alignment in the copy buffer",
         [&](int i) { select(mid + i, i % rows, mid + i, i % rows); }, key('n'));
    std::printf("peak memory: %.1f MB\n", PeakMb());
    return 0;
}
