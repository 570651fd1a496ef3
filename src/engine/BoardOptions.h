#pragma once
// The board options that the settings dialog edits and the rest of the program reads:
// board size, tints, stone choice, numbers, coordinate style, UGF origin, replay interval.
#include <cstdint>

namespace kelmaz {

enum class StoneChoice { Black, White, Alternate };  // "黒石", "白石", "交互"

struct BoardOptions {
    int sizeIndex = 0;  // Option1: 0 = 19, 1 = 13, 2 = 9 lines
    // A record's own size that no size option offers (2..19); 0 while the option decides.
    int otherSize = 0;
    int boardTintIndex = 0;  // Option4: 0 明るい, 1 中間, 2 暗い
    int whiteTintIndex = 0;  // Option7: 0 明るい, 1 暗い
    StoneChoice stones = StoneChoice::Alternate;
    bool showNumbers = false;    // Option5 index 0 "表示"
    bool digitLabels = true;     // Opt98 "数字" (else OptNT "ｱﾙﾌｧﾍﾞｯﾄ")
    bool showCommentary = true;  // Option2 index 0 "表示"
    bool showMarkup = true;      // "記号の表示" index 0 "表示": a record's labels and marks
    bool ugfLowerLeftOrigin = false;  // Option8 (else Option9)
    int speedMs = 1000;               // HScroll1 value, 100..20000
    bool openRecordsAtStart = false;  // a record read opens at move 0 (else at its last move)
    bool paperBoard = false;          // a printed figure: the board is white like the paper

    std::uint32_t boardColour() const;       // BoardColour as 0xRRGGBB
    std::uint32_t whiteStoneColour() const;  // WhiteStoneColour as 0xRRGGBB
    int boardSize() const;                   // otherSize when set, else 19, 13 or 9
    // The replay step in seconds as the settings window shows it: speedMs rounded to hundredths.
    double speedSeconds() const;
};

int boardSizeForIndex(int sizeIndex);

}  // namespace kelmaz
