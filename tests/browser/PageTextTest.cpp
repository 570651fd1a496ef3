// Record lines from a fetched page's bytes and from the address file.
#include <gtest/gtest.h>

#include <filesystem>

#include "browser/PageText.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;

// "<TITLE>WtGobanApplet</TITLE>" and the black player's name 表ソ (0x95 0x5C, 0x83 0x5C in
// CP932: trail bytes that look like a backslash).
const std::string kSjisPage =
    "<HTML>\n<TITLE>WtGobanApplet</TITLE>\n<PARAM name=\"Black\" value=\"\x95\x5C\x83\x5C\">\n";

TEST(PageText, LfPagesAndTheLastUnendedLineAreRead) {
    EXPECT_EQ(pageRecordLines("<HTML>\n<TITLE>WtGobanApplet</TITLE>\n</HTML>", "text/html"),
              (Lines{"<HTML>", "<TITLE>WtGobanApplet</TITLE>", "</HTML>"}));
    EXPECT_EQ(pageRecordLines("(;GM[1]\rB[pd])", ""), (Lines{"(;GM[1]", "B[pd])"}));
}

TEST(PageText, DeclaredCharsetDecodes) {
    const Lines viaHeader = pageRecordLines(kSjisPage, "text/html; charset=Shift_JIS");
    ASSERT_EQ(viaHeader.size(), 3u);
    EXPECT_EQ(viaHeader[2], "<PARAM name=\"Black\" value=\"表ソ\">");

    const std::string withMeta =
        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">\n" + kSjisPage;
    EXPECT_EQ(pageRecordLines(withMeta, "text/html").back(),
              "<PARAM name=\"Black\" value=\"表ソ\">");
}

TEST(PageText, UndeclaredOrUnknownCharsetFallsBackToFileDecoding) {
    EXPECT_EQ(pageRecordLines(kSjisPage, "").back(), "<PARAM name=\"Black\" value=\"表ソ\">");
    EXPECT_EQ(pageRecordLines(kSjisPage, "text/html; charset=no-such-charset").back(),
              "<PARAM name=\"Black\" value=\"表ソ\">");
    EXPECT_EQ(pageRecordLines("<p>碁</p>", "").back(), "<p>碁</p>");
}

TEST(PageText, ByteOrderMarkWinsOverAWrongDeclaration) {
    EXPECT_EQ(pageRecordLines("\xEF\xBB\xBF<p>碁</p>", "text/html; charset=Shift_JIS"),
              Lines{"<p>碁</p>"});
}

TEST(PageText, AddressFileIsTakenFromTheFirstFolderHoldingOne) {
    test::TempDir settings, program;
    const Lines none = readAddressFile({settings.path(), program.path()});
    EXPECT_TRUE(none.empty());

    test::writeBytes(program.file("kelmazhml.ini"), "http://program/\r\n\r\nhttp://two/");
    EXPECT_EQ(readAddressFile({settings.path(), program.path()}),
              (Lines{"http://program/", "", "http://two/"}));

    test::writeBytes(settings.file("kelmazhml.ini"), "http://settings/\n");
    EXPECT_EQ(readAddressFile({settings.path(), program.path()}), Lines{"http://settings/"});
}

// One line in CP932 (an address with a Japanese name typed in the Windows code page) or with a
// damaged byte is decoded on its own; the UTF-8 lines around it read as written.
TEST(PageText, EachLineOfTheAddressFileIsDecodedOnItsOwn) {
    test::TempDir settings;
    test::writeBytes(settings.file("kelmazhml.ini"),
                     "http://棋譜/一覧\n"
                     "http://x/\x8A\xFB\x95\x88\n"
                     "http://y/ab\xFF\n"
                     "http://表示/\n");
    EXPECT_EQ(readAddressFile({settings.path()}),
              (Lines{"http://棋譜/一覧", "http://x/棋譜", "http://y/ab\uFFFD", "http://表示/"}));
}

TEST(PageText, AFolderNamedLikeTheAddressFileIsSkipped) {
    test::TempDir settings, program;
    std::filesystem::create_directory(settings.file("kelmazhml.ini"));
    test::writeBytes(program.file("kelmazhml.ini"), "http://program/\n");
    EXPECT_EQ(readAddressFile({settings.path(), program.path()}), Lines{"http://program/"});
}

}  // namespace
}  // namespace kelmaz
