// Undo snapshot, undo, copy and paste on a large alignment, without a window:
// the costs every keystroke pays.  Loads an aligned FASTA file the way the
// display-only load does (every row as long as the longest), then times, each
// as the mean of --runs repetitions:
//   snapshot          SaveUndoState on the whole alignment
//   keystroke         one character typed through the command boundary
//                     (checkpoint + snapshot + the changed row's copy)
//   undo              ButtonUndoClick after that keystroke
//   copy / paste      a block of --block-rows x --block-cols, pasted through
//                     the boundary with its snapshot, then undone
// and, for scale, one deep copy of every row (what a snapshot would cost if
// it copied the characters).  Ends with the peak memory.
//
//   build/bench/sequara_editor_command_bench --fasta /tmp/chrMT_2534.fasta [--runs 20]
//       [--block-rows 100] [--block-cols 1000]
#include "bench/BenchSupport.h"
#include "editor/AlignmentDocument.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/commands/UndoCommands.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace sequara;
using namespace sequara::bench;

int main(int argc, char** argv) {
    std::string fasta;
    int runs = 20, blockRows = 100, blockCols = 1000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--fasta") && i + 1 < argc) fasta = argv[++i];
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--block-rows") && i + 1 < argc) blockRows = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--block-cols") && i + 1 < argc) blockCols = std::atoi(argv[++i]);
    }
    if (fasta.empty() || runs < 1) {
        std::fprintf(stderr, "usage: %s --fasta FILE [--runs N] [--block-rows R] [--block-cols C]\n", argv[0]);
        return 2;
    }
    ScriptedPlatform platform;
    RunContext run(platform);
    WorkingState& state = run.State();
    state.DataType = "DNA";
    TFastaDataSet loaded;
    TCharacterName unused;
    ReadFastaFile(fasta, loaded, unused, false, state.DataType, platform);
    if (loaded.empty()) {
        std::fprintf(stderr, "no sequences read\n");
        return 1;
    }
    const std::size_t longest = PadRows(loaded);
    const TFastaDataSet plainCopySource = loaded;  // for the deep-copy figure
    TAlignedDataSet reference(1);
    reference[0].Sequence = loaded[0].Sequence;
    AlignmentDocument document(state);
    document.Assign(std::move(reference), TCharacterName(longest, TLabel("1")), ToAlignedDataSet(std::move(loaded)));
    EditorView view;
    view.SyncGridSizes(document);
    EditorContext ctx{document, view, run.Session(), platform};
    const int rows = document.RowCount();
    const int cols = document.ColumnCount();
    std::printf("alignment: %d rows x %d columns = %.1f million cells\n", rows, cols, double(rows) * cols / 1e6);
    if (blockRows > rows || blockCols > cols) {
        std::fprintf(stderr, "the block does not fit the alignment\n");
        return 1;
    }

    auto mean = [&](auto&& step) {
        const auto t0 = Clock::now();
        for (int i = 0; i < runs; ++i) step(i);
        return Ms(t0, Clock::now()) / runs;
    };
    const double snapshot = mean([&](int) { SaveUndoState(ctx); });
    const double keystroke = mean([&](int i) {
        RunEditorCommand(ctx, [i, rows](EditorContext& c) {
            SaveUndoState(c);
            c.document.SetCharacter(1 + i % 100, i % rows, "ACGT"[i % 4]);
        });
    });
    double undo = 0;
    for (int i = 0; i < runs; ++i) {
        RunEditorCommand(ctx, [i, rows](EditorContext& c) {
            SaveUndoState(c);
            c.document.SetCharacter(1 + i % 100, i % rows, 'N');
        });
        const auto t0 = Clock::now();
        RunEditorCommand(ctx, ButtonUndoClick);
        undo += Ms(t0, Clock::now());
    }
    undo /= runs;
    view.SequenceGrid.MoveTo(1, 0);
    view.SequenceGrid.MoveTo(blockCols, blockRows - 1, true);
    const double copy = mean([&](int) { RunEditorCommand(ctx, CopyCommand); });
    double paste = 0, pasteUndo = 0;
    for (int i = 0; i < runs; ++i) {
        view.SequenceGrid.MoveTo(cols - blockCols + 1, rows - blockRows);  // a single cell: the block's corner
        const auto t0 = Clock::now();
        RunEditorCommand(ctx, PasteCommand);
        const auto t1 = Clock::now();
        RunEditorCommand(ctx, ButtonUndoClick);
        paste += Ms(t0, t1);
        pasteUndo += Ms(t1, Clock::now());
    }
    paste /= runs;
    pasteUndo /= runs;
    if (!platform.Messages().empty()) std::fprintf(stderr, "message: %s\n", platform.Messages().back().c_str());
    const double deep = mean([&](int) {
        TFastaDataSet copyOfAll = plainCopySource;
        if (copyOfAll.empty()) std::abort();
    });
    std::printf("snapshot (SaveUndoState): %.3f ms\n", snapshot);
    std::printf("keystroke through the boundary (checkpoint, snapshot, one row copied): %.3f ms\n", keystroke);
    std::printf("undo after a keystroke: %.3f ms\n", undo);
    std::printf("copy %d x %d: %.3f ms; paste with its snapshot: %.3f ms; its undo: %.3f ms\n", blockRows, blockCols,
                copy, paste, pasteUndo);
    std::printf("for scale, one deep copy of every row: %.1f ms\n", deep);
    std::printf("peak memory: %.1f MB\n", PeakMb());
    return 0;
}
