#include "sequence/TextFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

using testing::TempFolder;

TEST(TextLineReader, LineEndRules) {
    TempFolder folder;
    std::string name = folder.write("t.txt", "a\r\nb\nc\rd\n\ne");
    TextLineReader reader;
    ASSERT_TRUE(reader.open(name));
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "cd", "", "e"}));
    EXPECT_TRUE(reader.close());
    EXPECT_FALSE(reader.close());
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd\n\ne"), lines);
    EXPECT_FALSE(reader.open(folder.file("none")));
    EXPECT_FALSE(reader.open(folder.path().string()));
}

}  // namespace
}  // namespace sequara
