// Reading speed of the FASTA reader: the production reader and, with
// --step-by-step, the step-by-step reader of the tests, on one file, each the
// given number of times (the copy "Interim_Sto.txt" goes to the current
// folder).  Prints MB/s (file bytes over wall time, best of the repeats),
// entries and characters read, CPU time and peak memory.
//
//   build-rel/bench/sequara-read-bench --fasta /tmp/chrMT_2534_nogaps.fasta [--repeat 5]
//       [--type DNA|AMINO] [--messages] [--step-by-step]
#include "bench/BenchSupport.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/FastaReaderOracle.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

using namespace sequara;
using namespace sequara::bench;

namespace {

double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

void run(const char* what, const std::string& file, int repeat, const std::string& type, bool messages,
         bool stepByStep) {
    const double megabytes = double(std::filesystem::file_size(file)) / 1e6;
    double best = 1e30, cpu = 0;
    std::size_t entries = 0, characters = 0, questions = 0;
    for (int i = 0; i < repeat; ++i) {
        ScriptedPlatform platform;
        for (int k = 0; k < 1000; ++k) platform.AnswerYesNo(true);
        TFastaDataSet data;
        TCharacterName labels;
        const double c0 = cpuSeconds();
        const auto t0 = Clock::now();
        if (stepByStep)
            oracle::ReadFastaFileStepByStep(file, data, &labels, messages, type, platform);
        else
            ReadFastaFile(file, data, labels, messages, type, platform);
        const double seconds = SecondsSince(t0);
        cpu += cpuSeconds() - c0;
        best = std::min(best, seconds);
        entries = data.size();
        characters = 0;
        for (const auto& e : data) characters += e.Sequence.size();
        questions = platform.Questions().size();
    }
    std::printf("%-13s %8.1f MB in %7.1f ms (best of %d): %7.1f MB/s; %zu entries, %zu characters, %zu questions; "
                "CPU %.2f s per read\n",
                what, megabytes, best * 1000, repeat, megabytes / best, entries, characters, questions, cpu / repeat);
}

}  // namespace

int main(int argc, char** argv) {
    std::string file, type = "DNA";
    int repeat = 5;
    bool messages = false, stepByStep = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--fasta") && i + 1 < argc) file = argv[++i];
        else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--type") && i + 1 < argc) type = argv[++i];
        else if (!std::strcmp(argv[i], "--messages")) messages = true;
        else if (!std::strcmp(argv[i], "--step-by-step")) stepByStep = true;
        else {
            std::fprintf(stderr, "unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (file.empty() || !std::filesystem::is_regular_file(file)) {
        std::fprintf(stderr, "usage: sequara-read-bench --fasta FILE [--repeat N] [--type DNA|AMINO] [--messages] "
                             "[--step-by-step]\n");
        return 2;
    }
    run("production", file, repeat, type, messages, false);
    if (stepByStep) run("step-by-step", file, repeat, type, messages, true);
    std::printf("peak memory %.0f MB\n", PeakMb());
    return 0;
}
