#include <gtest/gtest.h>

#include "base/SgfEscape.h"

namespace kelmaz {
namespace {

TEST(SgfEscape, BracketsAndBackslashesSurviveTheRoundTrip) {
    for (std::string text :
         {"a]b", "C:\\dir\\", "\\]", "]]", "A案[星]とB案[小目]", "[[", "表ソ能ゾ", "=)", "x\\"}) {
        EXPECT_EQ(unescapeSgfValue(escapeSgfValue(text)), text) << text;
    }
    EXPECT_EQ(escapeSgfValue("a]b\\c"), "a\\]b\\\\c");
    EXPECT_EQ(escapeSgfValue("[x]"), "\\[x\\]");
}

TEST(SgfEscape, UnescapingKeepsLineBreaksButDropsEscapedOnes) {
    EXPECT_EQ(unescapeSgfValue("line1\r\nline2"), "line1\r\nline2");
    EXPECT_EQ(unescapeSgfValue("soft\\\r\nbreak"), "softbreak");
    EXPECT_EQ(unescapeSgfValue("soft\\\nbreak"), "softbreak");
    EXPECT_EQ(unescapeSgfValue("\\:\\a"), ":a");
    EXPECT_EQ(unescapeSgfValue("trailing\\"), "trailing\\");
}

}  // namespace
}  // namespace kelmaz
