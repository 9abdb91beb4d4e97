// sequara-motif-bench: the find dialog's search (the editor command, with
// the cell texts it compares) over a whole aligned FASTA file opened as the
// editor's document (one row per record, one column per alignment column),
// or the step-by-step oracle on the same cell texts.
//
//   sequara-motif-bench --aligned ALIGNED.fasta --reference REF.fasta [--motif M]
//       [--mismatches] [--step-by-step] [--repeat N]
//
// The search starts at (1, 1) and is repeated from the cell after each hit
// (Find next) until nothing more is found or --repeat hits were counted
// (default 1).  --mismatches shows "." for every character equal to the
// reference's.  Prints the hits, the seconds of searching (grid building
// excluded) and, on stderr, CPU time and peak memory.

#include "editor/AlignmentDocument.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/commands/FindMotif.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "sequence/IntegerText.h"
#include "tests/support/MotifSearchOracle.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace sequara;

int usage(const std::string& problem) {
    std::cerr << problem << "\n"
              << "usage: sequara-motif-bench --aligned ALIGNED.fasta --reference REF.fasta [--motif M]\n"
                 "       [--mismatches] [--step-by-step] [--repeat N]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string alignedFile, referenceFile, motif = "GATTACA";
    bool mismatches = false, stepByStep = false;
    std::int64_t repeat = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--aligned" && hasValue) alignedFile = argv[++i];
        else if (arg == "--reference" && hasValue) referenceFile = argv[++i];
        else if (arg == "--motif" && hasValue) motif = argv[++i];
        else if (arg == "--repeat" && hasValue) {
            auto n = ParseInteger(argv[++i]);
            if (!n || *n < 1) return usage("--repeat needs a positive number");
            repeat = *n;
        } else if (arg == "--mismatches") mismatches = true;
        else if (arg == "--step-by-step") stepByStep = true;
        else return usage("unknown argument " + arg);
    }
    if (alignedFile.empty() || referenceFile.empty()) return usage("--aligned and --reference are needed");

    ScriptedPlatform platform;  // answers No to the restart question
    RunContext run(platform);
    WorkingState& state = run.State();
    state.DataType = "DNA";
    TFastaDataSet rows, reference;
    TCharacterName labels;
    ReadFastaFile(alignedFile, rows, labels, false, "DNA", platform);
    ReadFastaFile(referenceFile, reference, labels, false, "DNA", platform);
    if (rows.empty() || reference.empty()) return usage("cannot read the files");
    state.ReferenceData = reference;
    AlignmentDocument document(state);
    document.Assign(ToAlignedDataSet(std::move(reference)), TCharacterName{}, ToAlignedDataSet(std::move(rows)));
    EditorView view;
    view.ShowMismatches = mismatches;
    view.SyncGridSizes(document);
    EditorContext ctx{document, view, run.Session(), platform};
    const std::int32_t colCount = document.ColumnCount() + 1;
    const std::int32_t rowCount = document.RowCount();

    // The oracle gets the same cell texts, built before the clock starts.
    std::vector<std::string> shown;
    if (stepByStep)
        for (std::int32_t r = 0; r < rowCount; ++r) ShownRowCells(ctx, r, shown.emplace_back());

    const std::clock_t cpu0 = std::clock();
    const auto t0 = std::chrono::steady_clock::now();
    std::int64_t hits = 0;
    SearchPosition position;
    std::string first, last;
    while (hits < repeat) {
        if (stepByStep) {
            auto hit = testing::StepByStepFindMotif(motif, shown, colCount, position.X, position.Y);
            if (!hit) break;
            position = {hit->first, hit->second};
        } else if (BtnFindClick(ctx, motif, position) != FindOutcome::Found) {
            break;
        }
        ++hits;
        last = std::to_string(position.X) + "," + std::to_string(position.Y);
        if (hits == 1) first = last;
        ++position.X;  // Find next
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;

    std::printf("grid: %d rows x %d columns  motif: %s  view: %s  engine: %s\n", rowCount, colCount - 1,
                motif.c_str(), mismatches ? "mismatches" : "all", stepByStep ? "step-by-step" : "linear");
    std::printf("hits: %lld  first: %s  last: %s  seconds: %.4f\n", static_cast<long long>(hits),
                first.empty() ? "-" : first.c_str(), last.empty() ? "-" : last.c_str(), seconds);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "cpu seconds: %.4f  peak memory: %.1f MB\n", cpu, double(usage.ru_maxrss) / 1024.0);
    return 0;
}
