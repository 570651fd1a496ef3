// Which taken texts count as a record before the board is cleared for them.
#include <gtest/gtest.h>

#include "intake/RecordCheck.h"

namespace kelmaz {
namespace {

TEST(RecordCheck, EveryReadableFormatIsARecord) {
    EXPECT_TRUE(holdsRecord({"<HTML>", " <TITLE>WtGobanApplet</TITLE>", "</HTML>"}));
    EXPECT_TRUE(holdsRecord({"[Header]", "Ver=UGF,1"}));
    EXPECT_TRUE(holdsRecord({"<pre>", "(;GM[1]SZ[19];B[pd])", "</pre>"}));
    // An SGF opening split over two lines, as some pages wrap it.
    EXPECT_TRUE(holdsRecord({"(", ";GM[1]"}));
    // Tki text and UGF text without a version line still have their move section.
    EXPECT_TRUE(holdsRecord({"fmt=Tki", "[Data]", "1,16,4,0"}));
    EXPECT_TRUE(holdsRecord({"  [Data]", "PD,B1,1,0"}));
}

TEST(RecordCheck, OrdinaryPagesAreNot) {
    EXPECT_FALSE(holdsRecord({}));
    EXPECT_FALSE(holdsRecord({"<html>", "<title>wtgobanapplet</title>", "</html>"}));
    EXPECT_FALSE(holdsRecord({"<p>SGF files start with (", "and a semicolon</p>"}));
    EXPECT_FALSE(holdsRecord({"Data=none", "[Files]"}));
}

}  // namespace
}  // namespace kelmaz
