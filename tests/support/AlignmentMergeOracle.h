#pragma once
// Step-by-step version of adding a second alignment: the columns are matched
// by scanning the open labels for each added column, and every gap column is
// inserted into every row at once, as one insertion after another.  Slow and
// plain; the fast merge of editor/commands/AddAlignment is tested against it.

#include <string>
#include <utility>
#include <vector>

namespace sequara::testing {

struct PlainAlignment {
    std::vector<std::string> Labels;
    std::string Reference;
    std::vector<std::pair<std::string, std::string>> Rows;  // name, characters
};

// The open alignment with the added one merged in, labels padded or cut to
// the five header rows and the added characters upper-cased; false (and the
// open alignment unchanged) when no label matches.
bool StepByStepMerge(PlainAlignment& open, const PlainAlignment& added);

}  // namespace sequara::testing
