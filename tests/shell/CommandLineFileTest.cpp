// Which command lines name a record file to open, and which are a clone's position.
#include <gtest/gtest.h>

#include "shell/CommandLineFile.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

TEST(RecordFileArgument, AnExistingFileIsOpenedWhateverItsNameLooksLike) {
    test::TempDir dir;
    for (const char* name : {"game.sgf", "対局 棋譜.ugf", "12345", "no-extension"}) {
        test::writeBytes(dir.file(name), "(;GM[1])");
        const std::string arg = dir.file(name).string();
        ASSERT_TRUE(recordFileArgument(arg).has_value()) << name;
        EXPECT_EQ(*recordFileArgument(arg), dir.file(name));
        EXPECT_EQ(*recordFileArgument("  " + arg + " "), dir.file(name)) << "blanks are trimmed";
    }
}

TEST(RecordFileArgument, AnythingElseIsNotAFile) {
    test::TempDir dir;
    test::writeBytes(dir.file("a,b.sgf"), "(;GM[1])");
    EXPECT_FALSE(recordFileArgument(dir.file("a,b.sgf").string())) << "a comma means a clone list";
    EXPECT_FALSE(recordFileArgument(dir.file("missing.sgf").string()));
    EXPECT_FALSE(recordFileArgument(dir.path().string())) << "a folder";
    EXPECT_FALSE(recordFileArgument(""));
    EXPECT_FALSE(recordFileArgument("   "));
    EXPECT_FALSE(recordFileArgument("0, 1, 0, 200, 200, 4000, 4000"));
    EXPECT_FALSE(recordFileArgument("0"));
}

}  // namespace
}  // namespace kelmaz
