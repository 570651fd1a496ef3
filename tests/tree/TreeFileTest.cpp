#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "tree/TreeFile.h"

namespace kelmaz {

TEST(TreeFile, TheTreeOfAFileWithoutWhatSurroundsIt) {
    test::TempDir dir;
    const auto path = dir.file("split.sgf");
    test::writeBytes(path,
                     "notes before\r\n(\r\n;GM[1]C[two\r\nlines];B[aa]\r\n(;W[bb])(;W[cc]))\r\n"
                     "trailer\r\n");
    const auto text = treeTextOfFile(path.string());
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "(;GM[1]C[two\nlines];B[aa](;W[bb])(;W[cc]))");
    EXPECT_FALSE(treeTextOfFile((dir.path() / "missing.sgf").string()).has_value());
}

}  // namespace kelmaz
