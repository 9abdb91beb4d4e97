// The main road at scale: start, Continue, DNA, Load > "&Fasta file (auto
// align)" on a FASTA file, in a main window of WIDTHxHEIGHT (offscreen).
// Reports the time from choosing the file to the editor shown, the time of
// one full repaint of the maximised editor (grab() of the main window), the
// peak memory, and, for the column model, the fast builder against the
// plain lookups on the same alignment (the lookups run on the first
// LOOKUP_ROWS rows, extrapolated).  --png FILE saves a screenshot with a
// highlighted row and a selection; --mismatches shows the mismatch view.
// --display-only takes Load > "Fa&sta file (display only)" instead (the file
// must be aligned already; unequal lengths are padded), and reports the
// reading alone in place of the alignment's phases.
//
//   QT_QPA_PLATFORM=offscreen build/bench/sequara_main_road_bench
//       --fasta ../shared/data/1000genomes-chrMT/derived/1000g_CR_16024-576.fasta
//       [--reference FILE] [--size 1400x900] [--lookup-rows 50] [--png out.png] [--mismatches] [--zoom 0..10]
//       [--exec "import -window root shot.png"]   (under xvfb-run with QT_QPA_PLATFORM=xcb)
//       [--display-only]
#include "alignment/AlignmentPipeline.h"
#include "bench/BenchSupport.h"
#include "alignment/ColumnModel.h"
#include "app/MainWindow.h"
#include "editor/ui/FrmAlignmentCorrection.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ColumnModelOracle.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QRadioButton>
#include <QSlider>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

using namespace sequara;
using namespace sequara::bench;

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string fasta, reference = std::string(SEQUARA_SOURCE_DIR) + "/app/defaults/ReferenceSequence.txt";
    const char* png = nullptr;
    int width = 1400, height = 900, lookupRows = 50, highlight = 3;
    bool mismatches = false, displayOnly = false;
    int zoom = 0;  // track bar position of the names column
    std::string afterShown;  // a shell command run while the editor shows
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--fasta") && i + 1 < argc) fasta = argv[++i];
        else if (!std::strcmp(argv[i], "--reference") && i + 1 < argc) reference = argv[++i];
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc) std::sscanf(argv[++i], "%dx%d", &width, &height);
        else if (!std::strcmp(argv[i], "--lookup-rows") && i + 1 < argc) lookupRows = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--png") && i + 1 < argc) png = argv[++i];
        else if (!std::strcmp(argv[i], "--highlight") && i + 1 < argc) highlight = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--mismatches")) mismatches = true;
        else if (!std::strcmp(argv[i], "--display-only")) displayOnly = true;
        else if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc) zoom = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--exec") && i + 1 < argc) afterShown = argv[++i];
    }
    if (fasta.empty()) {
        std::fprintf(stderr, "usage: %s --fasta FILE [--reference FILE] [--size WxH] [--lookup-rows N] [--png FILE]\n",
                     argv[0]);
        return 2;
    }
    fasta = std::filesystem::absolute(fasta).string();

    // A program folder with the shipped settings and the chosen reference.
    testing::TempFolder folder;
    std::filesystem::copy_file(std::string(SEQUARA_SOURCE_DIR) + "/app/defaults/UserSettings.txt",
                               folder.file("UserSettings.txt"));
    std::filesystem::copy_file(reference, folder.file("ReferenceSequence.txt"));
    std::filesystem::current_path(folder.path());

    ScriptedPlatform platform;
    MainWindow window(platform, folder.file("sequara"));
    window.resize(width, height);
    window.show();
    testing::ContinueOnDna(window);
    QApplication::processEvents();

    platform.AnswerOpenFile(fasta);
    const double before = PeakMb();
    const auto t0 = Clock::now();
    if (displayOnly) {
        platform.AnswerOkCancel(true);  // the notice
        platform.AnswerYesNo(true);     // pad unequal lengths, if asked
        window.Fastafilealreadyaligned1()->trigger();
    } else {
        window.Fastafile1()->trigger();
    }
    QApplication::processEvents();
    const auto t1 = Clock::now();
    FrmAlignmentCorrection* editor = FindAlignmentEditor(window.mdiArea());
    if (!editor) {
        std::fprintf(stderr, "no editor opened\n");
        for (const auto& m : platform.Messages()) std::fprintf(stderr, "  %s\n", m.c_str());
        return 1;
    }
    const WorkingState& s = window.State();
    std::printf("sequences %d, reference %zu, alignment columns %d\n", editor->Model().SequenceCount(),
                s.ReferenceData[0].Sequence.size(), editor->Model().ColumnCount());
    std::printf("choosing the file -> editor shown: %.0f ms\n", Ms(t0, t1));

    if (mismatches) editor->ShowMismatchesRadio()->click();
    editor->TrackBar1()->setValue(zoom);
    editor->Model().View().HighlightedRow = highlight;
    editor->Model().SequenceGrid().MoveTo(20, 6);
    editor->Model().SequenceGrid().MoveTo(27, 9, true);
    editor->RefreshGrids();
    QPixmap shot;
    const int runs = 20;
    const auto r0 = Clock::now();
    for (int i = 0; i < runs; ++i) shot = window.grab();
    const auto r1 = Clock::now();
    std::printf("full repaint of the maximised editor (%dx%d): %.2f ms\n", shot.width(), shot.height(),
                Ms(r0, r1) / runs);
    if (png) shot.save(png);
    if (!afterShown.empty()) {
        // For example "import -window root shot.png" under xvfb-run.
        window.showMaximized();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        if (std::system(afterShown.c_str()) != 0) std::fprintf(stderr, "command failed: %s\n", afterShown.c_str());
    }
    std::printf("peak memory: %.1f MB (%.1f MB before the load)\n", PeakMb(), before);
    if (displayOnly) {
        TFastaDataSet loaded;
        TCharacterName unused;
        const auto p0 = Clock::now();
        ReadFastaFile(fasta, loaded, unused, false, s.DataType, platform);
        std::printf("phases: reading %.0f ms\n", Ms(p0, Clock::now()));
        return 0;
    }

    // Column model alone, on the command's alignment.
    const auto c0 = Clock::now();
    TAlignedColumns fast =
        BuildAlignedColumns(s.AlignmentPositions, s.LoadedSequences, s.ReferenceData[0].Sequence, s.ReferenceNumbering);
    const auto c1 = Clock::now();
    const std::size_t k = std::min<std::size_t>(std::size_t(lookupRows), s.LoadedSequences.size());
    TFastaDataSet firstData(s.LoadedSequences.begin(), s.LoadedSequences.begin() + long(k));
    TAlignmentResult firstRows(s.AlignmentPositions.begin(), s.AlignmentPositions.begin() + long(k));
    const auto l0 = Clock::now();
    TAlignedColumns slow =
        oracle::GenerateColumnsByLookups(firstRows, firstData, s.ReferenceData[0].Sequence, s.ReferenceNumbering);
    const auto l1 = Clock::now();
    // The lookups' cost is reference length x all characters: linear in the
    // number of rows for rows of one length.
    const double ratio = double(s.LoadedSequences.size()) / double(std::max<std::size_t>(1, k));
    std::printf("column model: fast builder %.1f ms for all %zu rows; plain lookups %.0f ms for %zu rows "
                "(all rows: about %.0f s)\n",
                Ms(c0, c1), s.LoadedSequences.size(), Ms(l0, l1), k, Ms(l0, l1) * ratio / 1000.0);
    (void)fast;
    (void)slow;

    // Where the main road's time goes: the same steps once more, alone.
    TFastaDataSet loaded;
    TCharacterName unused;
    const auto p0 = Clock::now();
    ReadFastaFile(fasta, loaded, unused, false, s.DataType, platform);
    const auto p1 = Clock::now();
    PipelineParameters parameters = PipelineParametersFrom(s);
    parameters.AutoReverse = false;
    TAlignmentResult rows;
    RunAutomaticAlignment(s.ReferenceData[0].Sequence, loaded, rows, parameters, [](PipelinePass, int) {});
    const auto p2 = Clock::now();
    std::printf("phases: reading %.0f ms, engine passes %.0f ms (%u threads), column model %.0f ms\n", Ms(p0, p1),
                Ms(p1, p2), std::thread::hardware_concurrency(), Ms(c0, c1));
    return 0;
}
