#pragma once
// Runs one writer on a small alignment held in the test and shows what it
// did: the bytes (CR LF shown as "|"), the notices, and the progress box's
// calls ("show", each gauge value, "hide").

#include "editor/writers/AtomicReplace.h"
#include "editor/writers/Writer.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace sequara::testing {

struct TestAlignment {
    TFastaSequence Reference;
    TCharacterName Labels;
    TFastaDataSet Rows;
    std::string DataType = "DNA";
};

// Labels from..to, one per column.
inline TCharacterName NumberedLabels(int from, int to) {
    TCharacterName labels;
    for (int i = from; i <= to; ++i) labels.emplace_back(std::to_string(i));
    return labels;
}

inline TCharacterName LabelList(std::initializer_list<const char*> texts) {
    TCharacterName labels;
    for (const char* t : texts) labels.emplace_back(t);
    return labels;
}

class RecordingProgress : public SaveProgress {
public:
    void Show() override { Log += "show "; }
    void SetPosition(std::int32_t percent) override { Log += std::to_string(percent) + " "; }
    void Hide() override { Log += "hide"; }
    std::string Log;
};

struct WriterRun {
    std::string Bytes;                 // CR LF shown as "|"
    std::vector<std::string> Notices;
    std::string Progress;
};

using WriterCall = std::function<void(const WriterInput&, ByteSink&, WriterServices&)>;

inline WriterRun RunWriter(const WriterCall& writer, const TestAlignment& a) {
    TempFolder folder;
    const std::string name = folder.file("out");
    const DataSetAlignmentInput alignment(a.Reference, a.Labels, a.Rows, a.DataType);
    const WriterInput input(alignment);
    RecordingProgress progress;
    WriterServices services(progress);
    ReplaceFile(DefaultFileLayer(), name, [&](ByteSink& out) { writer(input, out, services); });
    WriterRun run;
    const std::string bytes = ReadBytes(name);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\r\n") == 0) {
            run.Bytes += '|';
            ++i;
        } else {
            run.Bytes += bytes[i];
        }
    }
    run.Notices = services.Notices;
    run.Progress = progress.Log;
    return run;
}

}  // namespace sequara::testing
