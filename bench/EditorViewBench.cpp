// Editor scale: builds a seeded synthetic alignment of ROWS sequences over
// a reference of COLS positions (with insertions), opens the editor window
// maximised in an MDI frame of WIDTHxHEIGHT, and reports the time of the grid
// build, of full repaints (offscreen grab()) at the start, middle and end of
// the alignment, and the peak memory.  --png FILE also saves a screenshot;
// --name-bytes N gives every shown row a name of N characters.
//
//   QT_QPA_PLATFORM=offscreen build/bench/sequara_editor_view_bench
//       --rows 10000 --cols 2000 --size 1400x900 [--png out.png] [--mismatches] [--name-bytes 5000000]
#include "bench/BenchSupport.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QPixmap>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

using namespace sequara;
using namespace sequara::bench;

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    int rows = 10000, cols = 2000, width = 1400, height = 900;
    const char* png = nullptr;
    bool mismatches = false;
    std::size_t nameBytes = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rows") && i + 1 < argc) rows = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--cols") && i + 1 < argc) cols = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc) std::sscanf(argv[++i], "%dx%d", &width, &height);
        else if (!std::strcmp(argv[i], "--png") && i + 1 < argc) png = argv[++i];
        else if (!std::strcmp(argv[i], "--mismatches")) mismatches = true;
        else if (!std::strcmp(argv[i], "--name-bytes") && i + 1 < argc) nameBytes = std::strtoull(argv[++i], nullptr, 10);
    }

    // Seeded data: each sequence covers the reference with a few
    // substitutions and deletions and a rare insertion.
    std::mt19937 rng(42);
    const char bases[] = "ACGT";
    ScriptedPlatform platform;
    RunContext run(platform);
    WorkingState& state = run.State();
    state.DataType = "DNA";
    state.HeaderColor = 0x00C0C0C0;
    state.ReferenceColor = 0x00FFFFFF;
    state.MatchColor = 0x00F0F0F0;
    state.MismatchColor = 0x008080FF;
    state.SelectionColor = 0x00FFC080;
    state.HighlightColor = 0x0080FFFF;
    std::string reference;
    for (int k = 0; k < cols; ++k) reference += bases[rng() % 4];
    state.ReferenceData = {{"synthetic reference", reference}};
    TFastaDataSet data(static_cast<std::size_t>(rows));
    TAlignmentResult alignment(static_cast<std::size_t>(rows));
    for (int g = 0; g < rows; ++g) {
        auto& seq = data[std::size_t(g)];
        auto& row = alignment[std::size_t(g)];
        seq.Name = "sample_" + std::to_string(g + 1);
        for (int k = 1; k <= cols; ++k) {
            const unsigned r = rng() % 1000;
            if (r < 3) continue;  // deletion
            seq.Sequence += r < 20 ? bases[rng() % 4] : reference[std::size_t(k - 1)];
            row.push_back(k);
            if (r >= 999 && rng() % 50 == 0) {  // a rare insertion
                seq.Sequence += bases[rng() % 4];
                row.push_back(-1);
            }
        }
    }
    if (nameBytes > 0)
        for (int g = 0; g < std::min(rows, 60); ++g) data[std::size_t(g)].Name = std::string(nameBytes, 'N');
    const double dataMb = PeakMb();

    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(width, height);
    frame.show();

    const auto t0 = Clock::now();
    FrmAlignmentCorrection* editor = CreateAlignmentEditor(area, run);
    editor->SetReferenceName(state.ReferenceData);
    editor->GenerateGrids(alignment, data, state.ReferenceData, state.ReferenceNumbering);
    ShowAlignmentEditorMaximized(editor);
    QApplication::processEvents();
    const auto t1 = Clock::now();
    if (mismatches) editor->ShowMismatchesRadioClick();
    editor->Model().View().HighlightedRow = 2;
    editor->Model().SequenceGrid().MoveTo(12, 4);
    editor->Model().SequenceGrid().MoveTo(18, 7, true);
    editor->RefreshGrids();

    auto repaint = [&](const char* where) {
        const int runs = 10;
        QPixmap shot;
        const auto a = Clock::now();
        for (int i = 0; i < runs; ++i) shot = frame.grab();
        const auto b = Clock::now();
        std::printf("full repaint (%s): %.2f ms  [%dx%d]\n", where, Ms(a, b) / runs, shot.width(), shot.height());
        return shot;
    };
    QPixmap first = repaint("first columns");
    if (png) first.save(png);
    StringGridView* grid = editor->AlignedSequencesGrid();
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum() / 2);
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
    repaint("middle");
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    repaint("last columns");

    // Scrolling: one column right and repaint, 200 times.
    grid->horizontalScrollBar()->setValue(1);
    const auto s0 = Clock::now();
    for (int i = 0; i < 200; ++i) {
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->value() + 1);
        grid->viewport()->grab();
    }
    const auto s1 = Clock::now();

    std::printf("rows %d, reference %d, alignment columns %d, cells %.1f M\n", rows, cols,
                editor->Model().ColumnCount(), double(rows) * editor->Model().ColumnCount() / 1e6);
    std::printf("grid build + editor shown: %.1f ms\n", Ms(t0, t1));
    std::printf("scroll one column + repaint of the sequence grid: %.2f ms\n", Ms(s0, s1) / 200);
    std::printf("peak memory: %.1f MB (input data alone %.1f MB)\n", PeakMb(), dataMb);
    return 0;
}
