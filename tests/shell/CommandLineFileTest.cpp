// Which command lines name a record file to open, and which are a clone's position.
#include <gtest/gtest.h>

#include "shell/CommandLineFile.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

TEST(RecordFileArgument, AnyTextWithoutACommaIsTheExactPathOfAFile) {
    test::TempDir dir;
    for (const char* name : {"game.sgf", "対局 棋譜.ugf", "12345", "no-extension"}) {
        const std::string arg = dir.file(name).string();
        ASSERT_TRUE(recordFileArgument(arg).has_value()) << name;
        EXPECT_EQ(*recordFileArgument(arg), dir.file(name));
    }
    // Blanks around the text may belong to the name: they are not trimmed away.
    EXPECT_EQ(*recordFileArgument(" game.sgf "), std::filesystem::path(" game.sgf "));
    // Missing files and folders are named too; the reading reports them.
    EXPECT_EQ(*recordFileArgument(dir.path().string()), dir.path());
    EXPECT_EQ(*recordFileArgument("0"), std::filesystem::path("0"));
}

TEST(RecordFileArgument, ACommaOrNothingNamesNoFile) {
    test::TempDir dir;
    test::writeBytes(dir.file("a,b.sgf"), "(;GM[1])");
    EXPECT_FALSE(recordFileArgument(dir.file("a,b.sgf").string())) << "a comma means a clone list";
    EXPECT_FALSE(recordFileArgument("0, 1, 0, 200, 200, 4000, 4000"));
    EXPECT_FALSE(recordFileArgument(""));
    EXPECT_FALSE(recordFileArgument("   "));
}

}  // namespace
}  // namespace kelmaz
