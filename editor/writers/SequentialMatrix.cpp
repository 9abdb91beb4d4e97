#include "editor/writers/SequentialMatrix.h"

#include "editor/writers/VaryingColumns.h"

#include <algorithm>

namespace sequara {

SequentialMatrix::SequentialMatrix(const WriterInput& input) : input_(input) {
    const AlignmentInput& alignment = input.Alignment();
    for (std::size_t i = 0; i < alignment.RowCount(); ++i) {
        std::int64_t first = 0, last = 0;
        TrimGapEnds(alignment.Row(i), first, last);
        first_ = i == 0 ? first : std::min(first_, first);
        last_ = i == 0 ? last : std::max(last_, last);
    }
}

void SequentialMatrix::WriteRow(std::size_t i, ByteSink& out) const {
    const AlignmentInput& alignment = input_.Alignment();
    const std::string_view row = alignment.Row(i);
    const UnsequencedGapRule rule(row, input_.Positions(), alignment.DataType());
    for (std::int64_t c = first_; c <= last_; ++c) out.Put(rule.Written(CharacterAt(row, c), c));
}

std::string NameField(std::string_view name, std::size_t Width) {
    std::string field = name.size() > Width ? std::string(name.substr(0, Width))
                                            : std::string(Width - name.size(), ' ') + std::string(name);
    field.push_back(' ');
    return field;
}

}  // namespace sequara
