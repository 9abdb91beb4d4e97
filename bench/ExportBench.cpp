// sequara-export: writes an .ali in one of the editor's output formats
// through the editor's own save path (companion ".ali" first, every file
// through a temporary file and a rename), without the dialogs; for checking
// the writers byte for byte and for measuring them.
//
//   sequara-export --ali IN.ali --format NAME --out OUT [--datatype DNA|AMINO]
//
// The .ali is opened as Load > "Temporary Alignment" opens it (the loader,
// the editor's undo snapshot, Undo building the grids), so every label
// reads back as its header shows it, cut and padded with blanks to five
// characters; the reference row keeps the name the file gives it.  The extension of the
// chosen format is forced on OUT, as the Save dialog does.  Prints the file
// written and the times on stdout, CPU time and peak memory on stderr; exits
// with 1 and the message when reading or writing fails.

#include "commands/AlignmentLoaders.h"
#include "bench/BenchSupport.h"
#include "editor/EditorView.h"
#include "editor/RunContext.h"
#include "editor/WorkingStateAlignmentInput.h"
#include "editor/commands/UndoCommands.h"
#include "editor/writers/ExportFiles.h"
#include "editor/writers/ExportFormats.h"
#include "editor/writers/WriteError.h"
#include "platform/ScriptedPlatform.h"
#include "sequence/Utilities.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <string>

namespace {

using namespace sequara;
using namespace sequara::bench;

int usage(const std::string& problem) {
    std::string names;
    for (const ExportFormat& format : ExportFormats()) names += (names.empty() ? "" : "|") + std::string(format.Name);
    std::cerr << problem << "\nusage: sequara-export --ali IN.ali --format " << names
              << " --out OUT [--datatype DNA|AMINO]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string aliFile, formatName, outFile, dataType = "DNA";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* target = arg == "--ali" ? &aliFile : arg == "--format" ? &formatName
                            : arg == "--out" ? &outFile : arg == "--datatype" ? &dataType : nullptr;
        if (!target) return usage("unknown argument " + arg);
        if (i + 1 >= argc) return usage(arg + " needs a value");
        *target = argv[++i];
    }
    if (aliFile.empty() || formatName.empty() || outFile.empty()) return usage("--ali, --format and --out are needed");
    const ExportFormat* format = ExportFormatByName(formatName);
    if (!format) return usage("unknown format " + formatName);

    const auto start = std::chrono::steady_clock::now();
    ScriptedPlatform platform;
    RunContext run(platform);
    WorkingState& state = run.State();
    state.DataType = dataType;
    platform.AnswerOpenFile(aliFile);
    FileDialogOptions dialog;
    if (!LoadTemporaryAlignment(state, platform, dialog, false) || state.AlignedReference.empty()) {
        for (const std::string& message : platform.Messages()) std::cerr << message << "\n";
        std::cerr << "cannot read " << aliFile << " as a temporary alignment\n";
        return 1;
    }
    state.ReferenceData = {{state.AlignedReference[0].Name, ""}};
    StoreSnapshotFromWorkingState(run.Session(), state);
    AlignmentDocument document(state);
    EditorView view;
    EditorContext ctx{document, view, run.Session(), platform};
    ButtonUndoClick(ctx);
    const double readSeconds = SecondsSince(start);

    const auto writeStart = std::chrono::steady_clock::now();
    const WorkingStateAlignmentInput input(state);
    std::string fileName = outFile;
    ForceExtension(ExtensionPattern(format->FilterIndex, dataType), fileName);
    NoSaveProgress progress;
    ExportOutcome outcome;
    try {
        ExportAlignment(input, fileName, format->FilterIndex, DefaultFileLayer(), progress, outcome);
    } catch (const WriteError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    const double writeSeconds = SecondsSince(writeStart);
    for (const std::string& notice : outcome.Notices) std::cout << "notice: " << notice << "\n";
    std::printf("wrote %s  rows: %zu  columns: %zu  open-seconds: %.3f  write-seconds: %.3f\n", fileName.c_str(),
                input.RowCount(), input.ReferenceRow().size(), readSeconds, writeSeconds);
    PrintCpuAndPeakRss();
    return 0;
}
