#include "alignment/Orientation.h"

#include "alignment/PairwiseAligner.h"
#include "sequence/CharacterRules.h"

namespace sequara {

std::string ReverseComplement(const std::string& S, const std::string& DataType) {
    std::string result(S.rbegin(), S.rend());
    if (IsDnaDataType(DataType))
        for (char& c : result) c = ComplementBase(c, DataType);
    return result;
}

int OrientationMismatchCount(const std::string& Reference, const std::string& Sequence, const TAlignmentRow& Row) {
    int count = 0;
    for (std::size_t p = 0; p < Sequence.size(); ++p) {
        const std::int32_t e = p < Row.size() ? Row[p] : -1;
        if (e < 1 || static_cast<std::size_t>(e) > Reference.size() ||
            Sequence[p] != Reference[static_cast<std::size_t>(e) - 1])
            ++count;
    }
    return count;
}

void AlignBestOrientation(const std::string& Reference, const std::string& Sequence, TAlignmentRow& Row,
                          const std::string& DataType, const SequenceAligner& Align, bool& Reversed,
                          std::string& OrientedSequence) {
    Reversed = false;
    const std::size_t n = Sequence.size();
    std::string reverse = ReverseComplement(Sequence, DataType);
    Row.assign(n, 0);
    Align(Sequence, Row);
    const int forwardCount = OrientationMismatchCount(Reference, Sequence, Row);
    Row.assign(n, 0);
    Align(reverse, Row);
    const int reverseCount = OrientationMismatchCount(Reference, reverse, Row);
    // forwardCount > n / 10 as real numbers
    if (reverseCount < forwardCount && static_cast<std::size_t>(forwardCount) * 10 > n) {
        Reversed = true;
        OrientedSequence = std::move(reverse);
    } else {
        OrientedSequence = Sequence;
    }
}

void AlignBestOrientation(const PairwiseAligner& Aligner, const std::string& Sequence, TAlignmentRow& Row,
                          int InitialNucleotides, bool& Reversed, std::string& OrientedSequence) {
    AlignBestOrientation(
        Aligner.Reference(), Sequence, Row, Aligner.DataType(),
        [&](const std::string& s, TAlignmentRow& r) { Aligner.AlignSequence(s, r, InitialNucleotides); }, Reversed,
        OrientedSequence);
}

}  // namespace sequara
