// kelmaz-cli diagram run as a process: the text form of the figures, the pictures, and what
// it refuses.
#include <gtest/gtest.h>

#include "support/CliProcess.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

class DiagramCli : public test::CliProcess {
  protected:
    void SetUp() override {
        CliProcess::SetUp();
        // White 4 takes the corner stone 1 and White 6 is played where it stood; a pass ends it.
        test::writeBytes(dir.file("g.sgf"),
                         "(;SZ[5]PB[甲];B[aa];W[ba];B[ee];W[ab];B[cc];W[aa];B[])");
    }
    std::string output(const std::string& args, int expectedStatus = 0) {
        EXPECT_EQ(run("diagram '" + dir.file("g.sgf").string() + "' " + args, dir.file("out")),
                  expectedStatus)
            << args;
        return test::readBytes(dir.file("out"));
    }
    test::TempDir dir;
};

TEST_F(DiagramCli, TextShowsEachFigureAsABoardAndThenItsNotes) {
    EXPECT_EQ(output("--format txt --out -"),
              "第1譜（1〜7）\n"
              " 1 2 . . .\n"
              " 4 . . . .\n"
              " . . 5 . .\n"
              " . . . . .\n"
              " . . . . 3\n"
              "6=1\n"
              "7=pass\n");
    EXPECT_EQ(output("--break 4 --restart-numbers --figure 2 --out -"),
              "第2譜（4〜7）\n"
              " XA  O  .  .  .\n"
              "  1  .  .  .  .\n"
              "  .  .  2  .  .\n"
              "  .  .  .  .  .\n"
              "  .  .  .  .  X\n"
              "3=A\n"
              "4=pass\n");
}

TEST_F(DiagramCli, PicturesAreWrittenWithoutADisplayAndBadOptionsAreRefused) {
    output("--break 4 --out '" + dir.file("g.pdf").string() + "'");
    EXPECT_EQ(test::readBytes(dir.file("g.pdf")).substr(0, 5), "%PDF-");
    output("--figure 1 --format svg --out '" + dir.file("g.img").string() + "'");
    EXPECT_NE(test::readBytes(dir.file("g.img")).find("<svg"), std::string::npos);
    for (const char* bad : {"--break 3,x --out -", "--figure 3 --out -", "--format gif --out -",
                            "--moves-per-figure 0 --out -", "--format txt"})
        output(bad, 2);
}

}  // namespace
}  // namespace kelmaz
