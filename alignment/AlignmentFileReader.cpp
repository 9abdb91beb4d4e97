#include "alignment/AlignmentFileReader.h"

#include "sequence/TextFile.h"

#include <algorithm>

namespace sequara {

namespace {

bool isSeparator(char c) { return c == ';' || c == '\t'; }

// Name: up to the first TAB or ";"; sequence: everything after it.  The
// line's own storage becomes the sequence, so a long line is not copied.
TFastaSequence splitNamedLine(std::string&& line) {
    TFastaSequence entry;
    std::size_t i = 0;
    while (i < line.size() && !isSeparator(line[i])) ++i;
    entry.Name = line.substr(0, i);
    if (i < line.size()) {
        entry.Sequence = std::move(line);
        entry.Sequence.erase(0, i + 1);
    }
    line.clear();
    return entry;
}

}  // namespace

bool ReadAlignmentFile(const std::string& FileName, TFastaDataSet& Reference, TCharacterName& CharNames,
                       TFastaDataSet& DataSet, bool /*GravityFormat*/, Platform& platform) {
    TextLineReader file;
    if (!file.open(FileName)) {
        platform.ShowMessage(file.refusal().empty()
                                 ? "An Error occured while trying to open the specified file: " + FileName
                                 : file.refusal());
        return false;
    }

    std::string line;
    // Line 1: the aligned reference.
    if (!file.next(line)) return false;
    Reference.clear();
    Reference.push_back(splitNamedLine(std::move(line)));
    const std::size_t m = Reference[0].Sequence.size();
    if (m == 0) return false;

    // Line 2: exactly m labels.  They are counted before any is stored, so a
    // huge line 1 over a short line 2 costs no label storage for m columns.
    if (!file.next(line)) return false;
    const std::size_t count = 1 + static_cast<std::size_t>(std::count_if(line.begin(), line.end(), isSeparator));
    CharNames.assign(std::min(count, m), TLabel());
    std::size_t label = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size() && label < CharNames.size(); ++i) {
        if (i < line.size() && !isSeparator(line[i])) continue;
        CharNames[label++] = TLabel(std::string_view(line).substr(start, i - start));
        start = i + 1;
    }
    if (count != m) return false;

    // Lines 3 onward: the sequences; at least one.
    TFastaDataSet sequences;
    while (file.next(line)) sequences.push_back(splitNamedLine(std::move(line)));
    if (file.failed() || sequences.empty()) return false;
    DataSet = std::move(sequences);
    return true;
}

}  // namespace sequara
