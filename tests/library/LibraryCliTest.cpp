// kelmaz-cli library: what add and search print, and a damaged index file rebuilt rather than
// read.
#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

class LibraryCli : public test::CliProcess {};

TEST_F(LibraryCli, SearchPrintsGamesContinuationsAndCountEvenAfterTheIndexWasDamaged) {
    test::TempDir dir;
    const std::string file = dir.file("a.sgf").string();
    test::writeBytes(file, "(;RE[B+R];B[dd];W[pp];B[dp])(;RE[W+1];B[pd];W[dd];B[pp])");
    const auto out = dir.file("out.txt");
    const std::string lib = "'" + dir.file("lib.db").string() + "'";
    ASSERT_EQ(
        run("library add " + lib + " '" + file + "' '" + dir.file("none.sgf").string() + "'", out),
        0);
    EXPECT_EQ(test::readBytes(out), "refused " + dir.file("none.sgf").string() +
                                        " 0 ファイルを読めません\nadded 2\nduplicates 0\n"
                                        "unchanged files 0\nrefused 1\n");

    // A lone black 4-4 stone in an empty 5x5 corner: game 2 shows it in the upper right, so its
    // next move is turned back into the upper left's view.
    const std::string search = "library search " + lib +
                               " --pattern aa:ee:" + std::string(18, '.') + "X" +
                               std::string(6, '.');
    const std::string expected =
        file + " 1 1\n" + file + " 2 1\nnext pd 1 0 1\nnext pp 1 1 0\n2 games\n";
    ASSERT_EQ(run(search, out), 0);
    EXPECT_EQ(test::readBytes(out), expected);

    const std::string index = test::readBytes(dir.file("lib.db.index"));
    test::writeBytes(dir.file("lib.db.index"), index.substr(0, index.size() / 2));
    ASSERT_EQ(run(search, out), 0);
    EXPECT_EQ(test::readBytes(out), expected);

    EXPECT_EQ(run(search + "X", out), 2);  // one point too many for the region
}

}  // namespace
}  // namespace kelmaz
