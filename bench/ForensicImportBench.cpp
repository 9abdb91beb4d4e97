// The forensic list import at scale: a list of generated haplotypes against
// the control-region reference, read and turned into an alignment.
//   sequara-forensic-import-bench [--haplotypes N] [--step-by-step] [--ali OUT.ali]
// --step-by-step also runs the step-by-step import and checks that both agree;
// --ali saves the imported alignment as a temporary alignment (an input for
// bench/sequara-export).
// Prints the reading and building times (wall and CPU) and the peak memory.
#include "commands/ForensicImport.h"
#include "editor/writers/AtomicReplace.h"
#include "editor/writers/TemporaryAlignmentWriter.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/ForensicImportOracle.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

using namespace sequara;

namespace {

struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    void report(const char* what) const {
        double w = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        double c = double(std::clock() - cpu) / CLOCKS_PER_SEC;
        std::printf("%-28s wall %8.4f s   cpu %8.4f s\n", what, w, c);
    }
};

// One list line: HVS-I and HVS-II differences, a deletion and insertions at
// the usual places, and the sequenced range.
std::string haplotypeLine(int i, std::mt19937& rng) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* bases = "ACGT";
    std::string line = "H" + std::to_string(i) + ";;;;1";
    int upper = 0;
    for (int p = 16024 + pick(0, 30); p <= 16365 && upper < 20; p += pick(5, 60), ++upper)
        line += ";" + std::to_string(p) + "." + bases[pick(0, 3)];
    if (pick(0, 3) == 0) line += ";16193.1C", ++upper;
    for (; upper < 21; ++upper) line += ";";
    line += ";";
    int lower = 0;
    for (int p = 73 + pick(0, 20); p <= 340 && lower < 20; p += pick(10, 70), ++lower)
        line += ";" + std::to_string(p) + "." + bases[pick(0, 3)];
    line += ";309.1C", ++lower;
    if (pick(0, 1)) line += ";309.2C", ++lower;
    line += ";315.1C", ++lower;
    if (pick(0, 5) == 0) line += ";249.-", ++lower;
    for (; lower < 25; ++lower) line += ";";
    return line + ";;;;;16024-16365,73-340;H\r\n";
}

long peakKilobytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    int haplotypes = 2000;
    bool stepByStep = false;
    std::string aliFile;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--haplotypes") && i + 1 < argc) haplotypes = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--step-by-step")) stepByStep = true;
        else if (!std::strcmp(argv[i], "--ali") && i + 1 < argc) aliFile = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--haplotypes N] [--step-by-step] [--ali OUT.ali]\n", argv[0]);
            return 2;
        }
    }
    ScriptedPlatform platform;
    TFastaDataSet reference;
    TCharacterName labels;
    ReadFastaFile(std::string(SEQUARA_TEST_DATA_DIR) + "/rCRS_CR_16024-576.txt", reference, labels, false, "DNA",
                  platform);
    if (reference.empty()) return 1;

    const auto file = std::filesystem::temp_directory_path() / "sequara-forensic-bench.for";
    {
        std::mt19937 rng(2026);
        std::ofstream out(file, std::ios::binary);
        out << "AAA;name;;;frequency\r\n";
        for (int i = 0; i < haplotypes; ++i) out << haplotypeLine(i, rng);
    }
    TDBFDataSet records;
    Clock read;
    ReadForensicFile(file.string(), records, platform);
    read.report("read list");
    Clock build;
    auto built = BuildForensicAlignment(records, reference[0].Sequence, labels);
    build.report("build alignment");
    if (!built) return 1;
    std::printf("%zu haplotypes, %zu reference columns, %zu alignment columns\n", records.size(), labels.size(),
                built->Numbering.size());
    if (stepByStep) {
        Clock slow;
        auto oracle = testing::StepByStepForensicImport(records, reference[0].Sequence, labels);
        slow.report("build step by step");
        bool same = oracle.Reference == built->Reference[0].Sequence.str() && oracle.Numbering == built->Numbering;
        for (std::size_t i = 0; same && i < oracle.Sequences.size(); ++i)
            same = oracle.Sequences[i].Sequence == built->Sequences[i].Sequence.str();
        std::printf("step by step %s\n", same ? "agrees" : "DIFFERS");
        if (!same) return 1;
    }
    if (!aliFile.empty()) {
        TFastaSequence referenceRow{reference[0].Name, built->Reference[0].Sequence.str()};
        TFastaDataSet rows;
        for (const auto& row : built->Sequences) rows.push_back({row.Name, row.Sequence.str()});
        const DataSetAlignmentInput input(referenceRow, built->Numbering, rows, "DNA");
        const WriterInput writerInput(input);
        NoSaveProgress progress;
        WriterServices services(progress);
        ReplaceFile(DefaultFileLayer(), aliFile, [&](ByteSink& out) { WriteTemporaryAlignment(writerInput, out, services); });
        std::printf("alignment saved as %s\n", aliFile.c_str());
    }
    std::printf("peak memory %ld kB\n", peakKilobytes());
    std::filesystem::remove(file);
    return 0;
}
