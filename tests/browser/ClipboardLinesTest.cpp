// Record lines taken from clipboard text: line ends of every kind, and the file list of a UGF
// text left out.
#include <gtest/gtest.h>

#include "browser/ClipboardLines.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;

TEST(ClipboardLines, DropsTheFileListBetweenFilesAndData) {
    const std::string text =
        "[Header]\r\nTitle=Final\r\n[Files]\r\nfinal.ugf\r\n[Data]\r\nPD,B1,1,0\r\n";
    EXPECT_EQ(ReadClipboardLines(text), (Lines{"[Header]", "Title=Final", "[Data]", "PD,B1,1,0"}));
}

TEST(ClipboardLines, EveryKindOfLineEndSplitsAndTheLastLineIsKept) {
    EXPECT_EQ(ReadClipboardLines("a\nb\rc\r\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadClipboardLines("a\r\n\r\nb\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(ReadClipboardLines("\n\r"), Lines{""});  // LF CR is one line end, as CR LF is
    EXPECT_EQ(ReadClipboardLines(""), Lines{});
}

TEST(ClipboardLines, FileListWithoutDataDropsEverythingAfterIt) {
    // Also the last line, which has no line end of its own.
    EXPECT_EQ(ReadClipboardLines("Ver=UGF\n[Files]\na.ugf\nb.ugf"), (Lines{"Ver=UGF"}));
}

TEST(ClipboardLines, MarkersMustMatchExactly) {
    // A marker with blanks around it or in another case is an ordinary line.
    EXPECT_EQ(ReadClipboardLines("[files]\nx\n [Files]\ny"),
              (Lines{"[files]", "x", " [Files]", "y"}));
    EXPECT_EQ(ReadClipboardLines("[Files]\nx\n[Data] \ny\n[Data]\nz"), (Lines{"[Data]", "z"}));
}

TEST(ClipboardLines, MultiByteTextIsNotCutInsideACharacter) {
    EXPECT_EQ(ReadClipboardLines("PlayerB=趙治勲,名誉名人\r\n[Data]"),
              (Lines{"PlayerB=趙治勲,名誉名人", "[Data]"}));
}

}  // namespace
}  // namespace kelmaz
