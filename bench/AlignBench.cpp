// sequara-align-bench: times the automatic-alignment pipeline (cleaning,
// orientation, alignment with padded second alignments, end re-alignment) on
// a reference file and a FASTA file, with the production engine or, with
// --step-by-step, the step-by-step reference version (one thread).
//
//   sequara-align-bench --reference REF.txt --fasta IN.fasta [--datatype DNA|AMINO]
//       [--auto-reverse] [--min-match N] [--initial N] [--ignore-ns 0|1]
//       [--ignore-gaps 0|1] [--threads N] [--step-by-step | --pairwise-ends] [--rows OUT.tsv]
//       [--copies N [--substitutions K] [--seed S]]
//
// Prints "sequences: N  seconds: T  end-realignment-seconds: E
// end-realignment-cpu-seconds: C" (pipeline time only, and the part of it
// spent re-aligning the sequence ends, as wall-clock and as CPU time) on
// stdout; on stderr the end re-alignment's CPU time split into user and
// system time with its page faults, and the run's CPU time and peak memory.  --pairwise-ends runs the
// production engine with the end re-alignment that compares every pair of
// rows (the oracle of the indexed one) instead.  --rows writes one line per sequence: the
// name, TAB, the sequence as the pipeline left it, TAB, the row's entries
// separated by commas.  --copies aligns each sequence of the file N times
// over, each copy with K (default 3) random substitutions chosen from seed S
// (default 1) instead of the file itself.

#include "alignment/AlignmentPipeline.h"
#include "bench/BenchSupport.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "sequence/IntegerText.h"
#include "tests/support/EndRealignmentOracle.h"
#include "tests/support/StepByStepAligner.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace sequara;

int usage(const std::string& problem) {
    std::cerr << problem << "\n"
              << "usage: sequara-align-bench --reference REF.txt --fasta IN.fasta [--datatype DNA|AMINO]\n"
                 "       [--auto-reverse] [--min-match N] [--initial N] [--ignore-ns 0|1] [--ignore-gaps 0|1]\n"
                 "       [--threads N] [--step-by-step | --pairwise-ends] [--rows OUT.tsv]\n"
                 "       [--copies N [--substitutions K] [--seed S]]\n";
    return 2;
}

// Times the end re-alignment of the engine it wraps.
class EndTimingEngine : public AlignmentEngine {
public:
    explicit EndTimingEngine(const AlignmentEngine& inner) : inner_(inner) {}
    const std::string& Reference() const override { return inner_.Reference(); }
    const std::string& DataType() const override { return inner_.DataType(); }
    void AlignSequence(const std::string& Sequence, TAlignmentRow& Row, int InitialNucleotides) const override {
        inner_.AlignSequence(Sequence, Row, InitialNucleotides);
    }
    // The wall-clock and CPU time, the CPU time split into the program's
    // own and the system's (mostly giving the program memory it has not
    // used before), and the pages it touched first.
    struct Times {
        double seconds = 0, cpuSeconds = 0, userSeconds = 0, systemSeconds = 0;
        long pageFaults = 0;
    };
    void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const override {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        inner_.RealignSequenceEnds(Alignment, DataSet);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        times_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        times_.cpuSeconds = processCpuSeconds() - cpuStart;
        times_.userSeconds = seconds(after.ru_utime) - seconds(before.ru_utime);
        times_.systemSeconds = seconds(after.ru_stime) - seconds(before.ru_stime);
        times_.pageFaults = after.ru_minflt - before.ru_minflt;
    }
    const Times& times() const { return times_; }

private:
    const AlignmentEngine& inner_;
    mutable Times times_;

    static double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

    static double processCpuSeconds() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    }
};

// The production engine with the pairwise end re-alignment.
class PairwiseEndsEngine : public ProductionAlignmentEngine {
public:
    using ProductionAlignmentEngine::ProductionAlignmentEngine;
    void RealignSequenceEnds(TAlignmentResult& Alignment, const TFastaDataSet& DataSet) const override {
        oracle::RealignSequenceEnds(Alignment, DataSet, Reference(), DataType());
    }
};

bool readFile(const std::string& file, const std::string& dataType, TFastaDataSet& data) {
    ScriptedPlatform platform;
    TCharacterName labels;
    ReadFastaFile(file, data, labels, false, dataType, platform);
    return !data.empty();
}

}  // namespace

int main(int argc, char** argv) {
    std::string referenceFile, fastaFile, rowsFile;
    PipelineParameters parameters;
    parameters.DataType = "DNA";
    bool stepByStep = false, pairwiseEnds = false;
    int copies = 0, substitutions = 3, seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        auto number = [&](int& out, int lo, int hi) {
            std::string text;
            if (!value(text)) return false;
            const auto parsed = ParseInteger(text);
            if (!parsed || *parsed < lo || *parsed > hi) return false;
            out = *parsed;
            return true;
        };
        int flag = 0, threads = 0;
        if (arg == "--reference") {
            if (!value(referenceFile)) return usage("--reference needs a file");
        } else if (arg == "--fasta") {
            if (!value(fastaFile)) return usage("--fasta needs a file");
        } else if (arg == "--datatype") {
            if (!value(parameters.DataType)) return usage("--datatype needs DNA or AMINO");
        } else if (arg == "--auto-reverse") {
            parameters.AutoReverse = true;
        } else if (arg == "--min-match") {
            if (!number(parameters.MinAlignmentMatch, -1000000, 1000000)) return usage("--min-match needs a number");
        } else if (arg == "--initial") {
            if (!number(parameters.InitialNucleotides, -1000000, 1000000)) return usage("--initial needs a number");
        } else if (arg == "--ignore-ns") {
            if (!number(flag, 0, 1)) return usage("--ignore-ns needs 0 or 1");
            parameters.IgnoreFastaNs = flag == 1;
        } else if (arg == "--ignore-gaps") {
            if (!number(flag, 0, 1)) return usage("--ignore-gaps needs 0 or 1");
            parameters.IgnoreFastaGaps = flag == 1;
        } else if (arg == "--threads") {
            if (!number(threads, 0, 4096)) return usage("--threads needs a number (0: all cores)");
            parameters.Threads = static_cast<unsigned>(threads);
        } else if (arg == "--step-by-step") {
            stepByStep = true;
        } else if (arg == "--pairwise-ends") {
            pairwiseEnds = true;
        } else if (arg == "--copies") {
            if (!number(copies, 1, 1000000)) return usage("--copies needs a number of at least 1");
        } else if (arg == "--substitutions") {
            if (!number(substitutions, 0, 1000000)) return usage("--substitutions needs a number");
        } else if (arg == "--seed") {
            if (!number(seed, 0, 2147483647)) return usage("--seed needs a number");
        } else if (arg == "--rows") {
            if (!value(rowsFile)) return usage("--rows needs a file");
        } else {
            return usage("unknown argument " + arg);
        }
    }
    if (referenceFile.empty() || fastaFile.empty()) return usage("--reference and --fasta are required");
    if (stepByStep && pairwiseEnds) return usage("--step-by-step and --pairwise-ends exclude each other");

    TFastaDataSet reference, sequences;
    if (!readFile(referenceFile, parameters.DataType, reference)) {
        std::cerr << "cannot read a reference from " << referenceFile << "\n";
        return 1;
    }
    if (!readFile(fastaFile, parameters.DataType, sequences)) {
        std::cerr << "cannot read sequences from " << fastaFile << "\n";
        return 1;
    }

    if (copies > 0) sequences = bench::VariedCopies(sequences, copies, substitutions, static_cast<std::uint64_t>(seed));

    const std::string& R = reference[0].Sequence;
    TAlignmentResult rows;
    EndTimingEngine::Times end;
    const std::clock_t cpuStart = std::clock();
    const auto wallStart = std::chrono::steady_clock::now();
    if (stepByStep) {
        const testing::StepByStepAlignmentEngine engine(R, parameters.DataType, parameters.MinAlignmentMatch);
        const EndTimingEngine timed(engine);
        testing::StepByStepRunAutomaticAlignment(timed, sequences, rows, parameters);
        end = timed.times();
    } else if (pairwiseEnds) {
        const PairwiseEndsEngine engine(R, parameters.DataType, parameters.MinAlignmentMatch);
        const EndTimingEngine timed(engine);
        RunAutomaticAlignment(timed, sequences, rows, parameters, nullptr);
        end = timed.times();
    } else {
        const ProductionAlignmentEngine engine(R, parameters.DataType, parameters.MinAlignmentMatch);
        const EndTimingEngine timed(engine);
        RunAutomaticAlignment(timed, sequences, rows, parameters, nullptr);
        end = timed.times();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    std::printf("sequences: %zu  seconds: %.3f  end-realignment-seconds: %.6f  end-realignment-cpu-seconds: %.6f\n",
                sequences.size(), seconds, end.seconds, end.cpuSeconds);
    std::fprintf(stderr, "end-realignment-user-seconds: %.6f  end-realignment-system-seconds: %.6f  end-realignment-page-faults: %ld\n",
                 end.userSeconds, end.systemSeconds, end.pageFaults);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "cpu-seconds: %.3f  peak-rss-kb: %ld  engine: %s\n", cpuSeconds, usage.ru_maxrss,
                 stepByStep ? "step-by-step" : (pairwiseEnds ? "production, pairwise end re-alignment" : "production"));

    if (!rowsFile.empty()) {
        std::ofstream out(rowsFile, std::ios::binary | std::ios::trunc);
        for (std::size_t i = 0; i < sequences.size() && out; ++i) {
            out << sequences[i].Name << '\t' << sequences[i].Sequence << '\t';
            for (std::size_t k = 0; k < rows[i].size(); ++k) {
                if (k > 0) out << ',';
                out << rows[i][k];
            }
            out << '\n';
        }
        if (!out) {
            std::cerr << "cannot write " << rowsFile << "\n";
            return 1;
        }
    }
    return 0;
}
