#include "platform/FileFilters.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

TEST(FileFilters, NameFilterTextKeepsTheDescriptionAndAppendsClean) {
    struct Case {
        FileFilter filter;
        const char* text;
    };
    const Case cases[] = {
        {{"All Files (*.*)", "*.*"}, "All Files (*.*) (*.*)"},
        {{"Fasta format (*.txt, *.fa; *.fas; *.fasta)", "*.txt; *.fa;*.fas;*.fasta"},
         "Fasta format (*.txt, *.fa; *.fas; *.fasta) (*.txt *.fa *.fas *.fasta)"},
        {{"Gravity format (*.grv)", "*.grv"}, "Gravity format (*.grv) (*.grv)"},
        {{"Plain", " ;*.a ;;\t*.b; "}, "Plain (*.a *.b)"},  // stray separators
        {{"Anything", ""}, "Anything (*)"},                   // no pattern: every file
        {{"Anything", " ; "}, "Anything (*)"},
        {{"", "*.ali"}, " (*.ali)"},
    };
    for (const Case& c : cases) EXPECT_EQ(NameFilterText(c.filter), c.text) << c.filter.Description;
    EXPECT_EQ(FilterPatterns("*.txt; *.fa;*.fas"), (std::vector<std::string>{"*.txt", "*.fa", "*.fas"}));
}

}  // namespace
}  // namespace sequara
