// sequara-motif-bench: the editor's motif search over a whole aligned FASTA
// file laid out as the sequence grid (one row per record, one character
// column per alignment column), against the step-by-step oracle.
//
//   sequara-motif-bench --aligned ALIGNED.fasta --reference REF.fasta [--motif M]
//       [--mismatches] [--literal] [--repeat N]
//
// The search starts at (1, 1) and is repeated from the cell after each hit
// (Find next) until nothing more is found or --repeat hits were counted
// (default 1).  --mismatches shows "." for every character equal to the
// reference's.  Prints the hits, the seconds of searching (grid building
// excluded) and, on stderr, CPU time and peak memory.

#include "editor/MotifSearch.h"
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
                 "       [--mismatches] [--literal] [--repeat N]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string alignedFile, referenceFile, motif = "GATTACA";
    bool mismatches = false, literal = false;
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
        else if (arg == "--literal") literal = true;
        else return usage("unknown argument " + arg);
    }
    if (alignedFile.empty() || referenceFile.empty()) return usage("--aligned and --reference are needed");

    ScriptedPlatform platform;
    TFastaDataSet rows, reference;
    TCharacterName labels;
    ReadFastaFile(alignedFile, rows, labels, false, "DNA", platform);
    ReadFastaFile(referenceFile, reference, labels, false, "DNA", platform);
    if (rows.empty() || reference.empty()) return usage("cannot read the files");
    const std::string& ref = reference[0].Sequence;

    // The grid's cells as shown, one text per row (column 1 first).
    std::vector<std::string> shown;
    std::size_t columns = ref.size();
    for (const auto& r : rows) columns = std::max(columns, r.Sequence.size());
    for (const auto& r : rows) {
        std::string cells(columns, '\0');
        for (std::size_t c = 0; c < r.Sequence.size(); ++c)
            cells[c] = mismatches && c < ref.size() && r.Sequence[c] == ref[c] ? '.' : r.Sequence[c];
        shown.push_back(std::move(cells));
    }
    const auto colCount = std::int32_t(columns + 1);
    const auto rowCount = std::int32_t(shown.size());

    const std::clock_t cpu0 = std::clock();
    const auto t0 = std::chrono::steady_clock::now();
    std::int64_t hits = 0;
    std::int32_t col = 1, row = 1;
    std::string first, last;
    while (hits < repeat) {
        std::optional<std::pair<std::int32_t, std::int32_t>> hit;
        if (literal) {
            hit = testing::LiteralFindMotif(motif, shown, colCount, col, row);
        } else if (auto h = FindMotif(motif, colCount, rowCount, col, row,
                                      [&](std::int32_t r, std::string& out) { out = shown[std::size_t(r)]; })) {
            hit = std::make_pair(h->Col, h->Row);
        }
        if (!hit) break;
        ++hits;
        last = std::to_string(hit->first) + "," + std::to_string(hit->second);
        if (hits == 1) first = last;
        col = hit->first + 1;  // Find next
        row = hit->second;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = double(std::clock() - cpu0) / CLOCKS_PER_SEC;

    std::printf("grid: %d rows x %d columns  motif: %s  view: %s  engine: %s\n", rowCount, colCount - 1,
                motif.c_str(), mismatches ? "mismatches" : "all", literal ? "literal" : "linear");
    std::printf("hits: %lld  first: %s  last: %s  seconds: %.4f\n", static_cast<long long>(hits),
                first.empty() ? "-" : first.c_str(), last.empty() ? "-" : last.c_str(), seconds);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "cpu seconds: %.4f  peak memory: %.1f MB\n", cpu, double(usage.ru_maxrss) / 1024.0);
    return 0;
}
