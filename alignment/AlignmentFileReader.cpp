#include "alignment/AlignmentFileReader.h"

#include "sequence/TextFile.h"

namespace sequara {

namespace {

bool isSeparator(char c) { return c == ';' || c == '\t'; }

// Name: up to the first TAB or ";"; sequence: everything after it.
TFastaSequence splitNamedLine(const std::string& line) {
    TFastaSequence entry;
    std::size_t i = 0;
    while (i < line.size() && !isSeparator(line[i])) ++i;
    entry.Name = line.substr(0, i);
    if (i < line.size()) entry.Sequence = line.substr(i + 1);
    return entry;
}

}  // namespace

bool ReadAlignmentFile(const std::string& FileName, TFastaDataSet& Reference, TCharacterName& CharNames,
                       TFastaDataSet& DataSet, bool /*GravityFormat*/, Platform& platform) {
    TextLineReader file;
    if (!file.open(FileName)) {
        platform.ShowMessage("An Error occured while trying to open the specified file: " + FileName);
        return false;
    }

    std::string line;
    // Line 1: the aligned reference.
    if (!file.next(line)) return false;
    Reference.assign(1, splitNamedLine(line));
    const std::size_t m = Reference[0].Sequence.size();
    if (m == 0) return false;

    // Line 2: exactly m labels.
    if (!file.next(line)) return false;
    CharNames.assign(m, TLabel());
    std::size_t label = 0;
    std::string current;
    bool tooMany = false;
    for (char c : line) {
        if (isSeparator(c)) {
            if (label < m) CharNames[label] = TLabel(current);
            current.clear();
            if (++label >= m) {
                tooMany = true;
                break;
            }
        } else if (current.size() < TLabel::Capacity) {
            current.push_back(c);
        }
    }
    if (tooMany) return false;
    CharNames[label] = TLabel(current);
    if (label + 1 != m) return false;

    // Lines 3 onward: the sequences; at least one.
    TFastaDataSet sequences;
    while (file.next(line)) sequences.push_back(splitNamedLine(line));
    if (file.failed() || sequences.empty()) return false;
    DataSet = std::move(sequences);
    return true;
}

}  // namespace sequara
