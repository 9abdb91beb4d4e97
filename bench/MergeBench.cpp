// sequara-merge-bench: times the editor's "Add alignment file" on two
// temporary alignments, and makes such files from FASTA files.
//
//   sequara-merge-bench --reference REF.txt --fasta IN.fasta --write-ali OUT.ali
//       [--min-match N] [--initial N] [--auto-reverse]
//   sequara-merge-bench --open A.ali --add B.ali [--step-by-step]
//
// The first form runs the automatic-alignment pipeline on the FASTA file
// and writes the alignment as the editor's Save writes an .ali.  The second
// opens A as Load > "Temporary Alignment" does (the undo snapshot, Undo
// building the grids) and runs the menu command on B with the dialog
// answered; it prints the rows and columns before and after, the time of
// the command (reading B included) and of the merge alone, and on stderr
// CPU time and peak memory.  --step-by-step also runs the step-by-step merge
// of the tests on the same alignments, times it and checks that both agree.

#include "alignment/AlignmentFileReader.h"
#include "bench/BenchSupport.h"
#include "alignment/AlignmentPipeline.h"
#include "alignment/ColumnModel.h"
#include "editor/AlignmentDocument.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/WorkingStateAlignmentInput.h"
#include "editor/commands/AddAlignment.h"
#include "editor/commands/UndoCommands.h"
#include "editor/writers/ExportFiles.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/WriteError.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/FastaReader.h"
#include "tests/support/AlignmentMergeOracle.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using namespace sequara;
using namespace sequara::bench;

int usage(const std::string& problem) {
    std::cerr << problem << "\n"
              << "usage: sequara-merge-bench --reference REF.txt --fasta IN.fasta --write-ali OUT.ali\n"
                 "           [--min-match N] [--initial N] [--auto-reverse]\n"
                 "       sequara-merge-bench --open A.ali --add B.ali [--step-by-step]\n";
    return 2;
}


int writeAli(const std::string& referenceFile, const std::string& fastaFile, const std::string& out,
             const PipelineParameters& parameters) {
    ScriptedPlatform platform;
    TFastaDataSet reference, samples;
    TCharacterName labels;
    ReadFastaFile(referenceFile, reference, labels, false, parameters.DataType, platform);
    ReadFastaFile(fastaFile, samples, false, parameters.DataType, platform);
    if (reference.empty() || samples.empty()) return usage("cannot read the reference or the FASTA file");
    TAlignmentResult rows;
    RunAutomaticAlignment(reference[0].Sequence, samples, rows, parameters, nullptr);
    TAlignedColumns columns = BuildAlignedColumns(rows, samples, reference[0].Sequence, labels);
    WorkingState state;
    state.DataType = parameters.DataType;
    state.AlignedReference = {{reference[0].Name, SharedText(std::move(columns.ReferenceRow))}};
    state.AlignedNumbering = std::move(columns.Labels);
    for (std::size_t i = 0; i < samples.size(); ++i)
        state.AlignedSequences.push_back({samples[i].Name, SharedText(std::move(columns.Rows[i]))});
    const WorkingStateAlignmentInput input(state);
    NoSaveProgress progress;
    ExportOutcome outcome;
    try {
        ExportAlignment(input, out, kTemporaryAlignmentFilterIndex, DefaultFileLayer(), progress, outcome);
    } catch (const WriteError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::printf("wrote %s  rows: %zu  columns: %zu\n", out.c_str(), input.RowCount(), input.ReferenceRow().size());
    return 0;
}

testing::PlainAlignment plain(const WorkingState& s) {
    testing::PlainAlignment a;
    for (const TLabel& l : s.AlignedNumbering) a.Labels.push_back(l.str());
    a.Reference = s.AlignedReference.empty() ? std::string() : s.AlignedReference[0].Sequence.str();
    for (const TAlignedSequence& row : s.AlignedSequences) a.Rows.emplace_back(row.Name, row.Sequence.str());
    return a;
}

int merge(const std::string& openFile, const std::string& addFile, bool stepByStep) {
    ScriptedPlatform platform;
    RunContext run(platform);
    WorkingState& state = run.State();
    state.DataType = "DNA";
    TFastaDataSet reference, rows;
    if (!ReadAlignmentFile(openFile, reference, state.AlignedNumbering, rows, false, platform))
        return usage("cannot read " + openFile);
    state.ReferenceData = {{reference[0].Name, ""}};
    state.AlignedReference = ToAlignedDataSet(std::move(reference));
    state.AlignedSequences = ToAlignedDataSet(std::move(rows));
    StoreSnapshotFromWorkingState(run.Session(), state);
    AlignmentDocument document(state);
    EditorView view;
    EditorContext ctx{document, view, run.Session(), platform};
    ButtonUndoClick(ctx);
    const std::int32_t rowsBefore = document.RowCount(), columnsBefore = document.ColumnCount();
    const testing::PlainAlignment before = plain(state);

    // The merge alone, on the file read beforehand; then Undo and the whole
    // command.
    AddedAlignment added;
    if (!ReadAlignmentFile(addFile, added.Reference, added.Labels, added.Sequences, false, platform))
        return usage("cannot read " + addFile);
    testing::PlainAlignment addedPlain;
    for (const TLabel& l : added.Labels) addedPlain.Labels.push_back(l.str());
    addedPlain.Reference = added.Reference[0].Sequence;
    for (const TFastaSequence& s : added.Sequences) addedPlain.Rows.emplace_back(s.Name, s.Sequence);
    auto start = std::chrono::steady_clock::now();
    const bool merged = AddAlignment(ctx, std::move(added));
    const double mergeSeconds = SecondsSince(start);
    if (!merged) {
        for (const std::string& m : platform.Messages()) std::cerr << m << "\n";
        return 1;
    }
    ButtonUndoClick(ctx);
    platform.AnswerOpenFile(addFile);
    start = std::chrono::steady_clock::now();
    Addalignmentfile1Click(ctx);
    const double commandSeconds = SecondsSince(start);
    std::printf("open: %d rows x %d columns  merged: %d rows x %d columns  command-seconds: %.3f  merge-seconds: %.3f\n",
                rowsBefore, columnsBefore, document.RowCount(), document.ColumnCount(), commandSeconds, mergeSeconds);

    if (stepByStep) {
        testing::PlainAlignment open = before;
        start = std::chrono::steady_clock::now();
        testing::StepByStepMerge(open, addedPlain);
        const double oracleSeconds = SecondsSince(start);
        const testing::PlainAlignment fast = plain(state);
        const bool same = fast.Labels == open.Labels && fast.Reference == open.Reference && fast.Rows == open.Rows;
        std::printf("step-by-step-seconds: %.3f  same: %s\n", oracleSeconds, same ? "yes" : "NO");
        if (!same) return 1;
    }
    PrintCpuAndPeakRss();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string referenceFile, fastaFile, aliOut, openFile, addFile;
    PipelineParameters parameters;
    parameters.DataType = "DNA";
    bool stepByStep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) return false;
            target = argv[++i];
            return true;
        };
        std::string number;
        if (arg == "--reference" && value(referenceFile)) continue;
        if (arg == "--fasta" && value(fastaFile)) continue;
        if (arg == "--write-ali" && value(aliOut)) continue;
        if (arg == "--open" && value(openFile)) continue;
        if (arg == "--add" && value(addFile)) continue;
        if (arg == "--min-match" && value(number)) {
            parameters.MinAlignmentMatch = std::atoi(number.c_str());
            continue;
        }
        if (arg == "--initial" && value(number)) {
            parameters.InitialNucleotides = std::atoi(number.c_str());
            continue;
        }
        if (arg == "--auto-reverse") {
            parameters.AutoReverse = true;
            continue;
        }
        if (arg == "--step-by-step") {
            stepByStep = true;
            continue;
        }
        return usage("unknown or incomplete argument " + arg);
    }
    if (!aliOut.empty()) {
        if (referenceFile.empty() || fastaFile.empty()) return usage("--write-ali needs --reference and --fasta");
        return writeAli(referenceFile, fastaFile, aliOut, parameters);
    }
    if (openFile.empty() || addFile.empty()) return usage("--open and --add are needed");
    return merge(openFile, addFile, stepByStep);
}
