// A record's labels and marks on the board window: shown with the move that carries them, gone
// when the board steps to another move, and switched off and on by the settings window.
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "app/RecordIntake.h"
#include "engine/Engine.h"
#include "shell/ui/FomSet.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

class MarkupOnTheBoard : public test::ProgramFixture {
  protected:
    void openMarkedRecord() {
        start();
        readRecordFileIntoBoard(
            program(),
            QString::fromStdString(test::dataFile("handmade/sgf-labels-and-marks.sgf").string()));
        ASSERT_EQ(state().MoveCount, 8);
    }
    // The pixels around the crossing of column c and row r, one pitch wide, as the board
    // shows them now.
    QImage around(int col, int row) {
        const int p = board().pitch();
        const auto line = [](int twips) { return int(std::floor(twips / double(kTwipsPerPixel))); };
        const int half = p / kTwipsPerPixel / 2;
        const QImage whole = board().grab().toImage();
        return whole
            .copy(QRect(line(kBoardMargin + col * p) - half, line(kBoardMargin + row * p) - half,
                        2 * half + 1, 2 * half + 1))
            .convertToFormat(QImage::Format_RGB32);
    }
    // An empty crossing shows the lines and nothing else: it looks like its empty neighbour
    // one column to the right (neither is a star point nor on the edge).
    bool plainAt(int col, int row) { return around(col, row) == around(col + 1, row); }
    QRadioButton* marksOption(int index) {
        return program().fomSet().findChild<QRadioButton*>(
            QStringLiteral("OptionMarks_%1").arg(index));
    }
};

// The label "A" of move 8 stands on the empty point 11-17; move 7 labels 14-3 "A".
TEST_F(MarkupOnTheBoard, EachMoveShowsItsOwnMarksAndSteppingTakesThemAway) {
    openMarkedRecord();
    EXPECT_FALSE(plainAt(11, 17));
    EXPECT_TRUE(plainAt(14, 3));
    program().engine().Itemodosi();  // one move back
    ASSERT_EQ(state().MoveCount, 7);
    EXPECT_TRUE(plainAt(11, 17)) << "the label of move 8 stays behind";
    EXPECT_FALSE(plainAt(14, 3));
    program().engine().Itemodosi();
    EXPECT_TRUE(plainAt(14, 3)) << "the label of move 7 stays behind";
    program().engine().lastMove();
    EXPECT_FALSE(plainAt(11, 17));
}

TEST_F(MarkupOnTheBoard, TheSettingSwitchesTheMarksAndIsStored) {
    openMarkedRecord();
    FomSet& set = program().fomSet();
    EXPECT_EQ(set.findChild<QGroupBox*>("FrameMarks")->title(), QStringLiteral("記号の表示"));
    EXPECT_EQ(marksOption(0)->text(), QStringLiteral("表示"));
    EXPECT_EQ(marksOption(1)->text(), QStringLiteral("非表示"));
    EXPECT_TRUE(marksOption(0)->isChecked()) << "shown by default";
    const QImage labelled = around(11, 17);
    marksOption(1)->click();
    EXPECT_EQ(program().settings().read("Kigou", ""), "1");
    EXPECT_TRUE(plainAt(11, 17));
    EXPECT_NE(around(11, 17), labelled);
    marksOption(0)->click();
    EXPECT_EQ(program().settings().read("Kigou", ""), "0");
    EXPECT_EQ(around(11, 17), labelled);
    // The frame lies inside the window, clear of the other frames and the close button.
    const QRect frame = set.findChild<QGroupBox*>("FrameMarks")->geometry();
    EXPECT_TRUE(set.rect().contains(frame));
    for (const char* other : {"Frame2", "FrameOpen", "Frame1_8"})
        EXPECT_FALSE(frame.intersects(set.findChild<QGroupBox*>(other)->geometry())) << other;
    EXPECT_FALSE(frame.intersects(set.findChild<QPushButton*>("Command1")->geometry()));
}

TEST_F(MarkupOnTheBoard, AStoredChoiceToHideTheMarksHoldsAtStartUp) {
    writeIni("Kigou,1\n");
    openMarkedRecord();
    EXPECT_TRUE(marksOption(1)->isChecked());
    EXPECT_FALSE(program().options().showMarkup);
    EXPECT_TRUE(plainAt(11, 17));
}

}  // namespace
}  // namespace kelmaz
