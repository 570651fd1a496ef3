#include <gtest/gtest.h>

#include "base/TextCodec.h"
#include "records/GameInfoRules.h"
#include "records/SgfWriter.h"
#include "support/RecordMoves.h"

namespace kelmaz {
namespace {

using Lines = std::vector<std::string>;

using test::addMove;

TEST(SgfWriter, EmptyGameFormatAndSizeGetValuesAndFilledOnesAreKept) {
    GameState s;
    s.BoardSize = 9;
    addMove(s, 3, 3, kBlack);
    Lines lines = sgfRecordLines(s);
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 4), (Lines{"FF[4]", "GM[1]", "SZ[9]"}));
    setInfoField(s.Info, InfoField::FF, "3");
    setInfoField(s.Info, InfoField::SZ, "19");
    setInfoField(s.Info, InfoField::PB, "  ");
    lines = sgfRecordLines(s);
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 4), (Lines{"FF[3]", "GM[1]", "SZ[19]"}))
        << "what the record says stays";
    EXPECT_NE(std::find(lines.begin(), lines.end(), "PB[  ]"), lines.end());
    for (const std::string& line : lines) EXPECT_NE(line.substr(0, 3), "PW[");
}

TEST(SgfWriter, FieldHoldingItsOwnNameIsOmittedAndValuesAreEscaped) {
    GameState s;
    setInfoField(s.Info, InfoField::PC, "PC");
    setInfoField(s.Info, InfoField::EV, "Cup [A] \\ final");
    addMove(s, 16, 4, kBlack, "a]b\\c");
    addMove(s, 4, 16, kWhite, "   ");
    const Lines lines = sgfRecordLines(s);
    for (const std::string& line : lines) EXPECT_NE(line.substr(0, 3), "PC[");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "EV[Cup \\[A\\] \\\\ final]"), lines.end());
    const Lines tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, (Lines{";B[pd]", "C[a\\]b\\\\c]", ";W[dp]", ")"}));
}

TEST(SgfWriter, MovesWithoutBoardLettersArePasses) {
    GameState s;
    addMove(s, 20, 20, kBlack);  // a pass as read from B[tt]
    addMove(s, 26, 1, kWhite);   // an applet letter beyond "s"
    addMove(s, -3, 4, kBlack);
    addMove(s, 19, 19, kWhite);
    const std::string text = sgfRecordText(s);
    EXPECT_NE(text.find(";B[];W[];B[];W[ss])"), std::string::npos) << text;
}

TEST(SgfWriter, WritesInTheDeclaredCharsetWhenEverythingFitsElseUtf8) {
    GameState s;
    setInfoField(s.Info, InfoField::CA, "Shift_JIS");
    setInfoField(s.Info, InfoField::PB, "表ソ能");
    addMove(s, 16, 4, kBlack, "ゾ]");
    std::string bytes = sgfRecordBytes(s);
    EXPECT_NE(bytes.find("CA[Shift_JIS]"), std::string::npos);
    EXPECT_NE(bytes.find("PB[\x95\x5C\x83\x5C\x94\x5C]"), std::string::npos);
    EXPECT_NE(bytes.find("C[\x83\x5D\\]]"), std::string::npos);
    EXPECT_EQ(decodeRecordBytes(bytes).text.find("PB[表ソ能]") != std::string::npos, true);

    setInfoField(s.Info, InfoField::PW, "이창호");  // has no Shift_JIS form
    bytes = sgfRecordBytes(s);
    EXPECT_TRUE(isValidUtf8(bytes));
    EXPECT_NE(bytes.find("CA[UTF-8]"), std::string::npos);
    EXPECT_EQ(bytes.find("Shift_JIS"), std::string::npos);
    EXPECT_NE(bytes.find("PW[이창호]"), std::string::npos);

    setInfoField(s.Info, InfoField::CA, "klingon");
    EXPECT_NE(sgfRecordBytes(s).find("CA[UTF-8]"), std::string::npos);
}

TEST(SgfWriter, FileNamesGetTheSgfExtension) {
    EXPECT_EQ(normaliseSgfFileName("/home/u/game"), "/home/u/game.sgf");
    EXPECT_EQ(normaliseSgfFileName(" /home/u/game.txt "), "/home/u/game.sgf");
    EXPECT_EQ(normaliseSgfFileName("/home/u/GAME.SGF"), "/home/u/GAME.SGF");
    EXPECT_EQ(normaliseSgfFileName("a.b"), "a.b.sgf");
    EXPECT_EQ(normaliseSgfFileName("棋譜.テキスト"), "棋譜.テキスト.sgf");
    EXPECT_EQ(normaliseSgfFileName("棋譜.テキス"), "棋譜.sgf");
}

}  // namespace
}  // namespace kelmaz
