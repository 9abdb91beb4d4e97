#pragma once
// Runs one output format (by its export-tool name) on a small alignment held
// in the test: the bytes with CR LF shown as "|", the notices, and the
// progress box's calls ("show", each gauge value, "hide").

#include "editor/writers/AtomicReplace.h"
#include "editor/writers/ExportFormats.h"
#include "tests/support/TempFolder.h"

#include <string>
#include <vector>

namespace sequara::testing {

struct TestAlignment {
    TFastaSequence Reference;
    TCharacterName Labels;
    TFastaDataSet Rows;
    std::string DataType = "DNA";
};

inline TCharacterName LabelList(std::vector<std::string> texts) { return {texts.begin(), texts.end()}; }
inline TCharacterName NumberedLabels(int from, int to) {
    TCharacterName labels;
    for (int i = from; i <= to; ++i) labels.emplace_back(std::to_string(i));
    return labels;
}

struct RecordingProgress : SaveProgress {
    void Show() override { Log += "show "; }
    void SetPosition(std::int32_t percent) override { Log += std::to_string(percent) + " "; }
    void Hide() override { Log += "hide"; }
    std::string Log;
};

struct WriterRun {
    std::string Bytes, Progress;
    std::vector<std::string> Notices;
};

inline WriterRun RunFormat(const char* name, const TestAlignment& a) {
    const TempFolder folder;
    const DataSetAlignmentInput alignment(a.Reference, a.Labels, a.Rows, a.DataType);
    const WriterInput input(alignment);
    RecordingProgress progress;
    WriterServices services(progress);
    ReplaceFile(DefaultFileLayer(), folder.file("out"),
                [&](ByteSink& out) { ExportFormatByName(name)->Write(input, out, services); });
    WriterRun run{ReadBytes(folder.file("out")), progress.Log, services.Notices};
    for (std::size_t at; (at = run.Bytes.find("\r\n")) != std::string::npos;) run.Bytes.replace(at, 2, "|");
    return run;
}

}  // namespace sequara::testing
