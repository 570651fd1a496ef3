#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "shell/ui/FomSet.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

using SettingsWindow = test::ProgramFixture;

QRadioButton* option(FomSet& set, const QString& name) {
    auto* button = set.findChild<QRadioButton*>(name);
    EXPECT_NE(button, nullptr) << name.toStdString();
    return button;
}

QColor boardPixel(BoardView& board) {
    // Half-way between two lines, off every star point.
    const int p = board.pitch();
    const QPoint at(qRound((100 + 2.5 * p) / 15.0), qRound((100 + 2.5 * p) / 15.0));
    return board.grab().toImage().pixelColor(at * board.devicePixelRatio());
}

TEST_F(SettingsWindow, IsCreatedHiddenAndShownFromTheMenuOnTop) {
    start();
    FomSet& set = program().fomSet();
    EXPECT_FALSE(set.isVisible());
    EXPECT_EQ(set.windowTitle(), QStringLiteral("設定"));
    EXPECT_TRUE(set.windowFlags() & Qt::WindowStaysOnTopHint);
    main().findChild<QAction*>("Msetei")->trigger();
    EXPECT_TRUE(set.isVisible());
    set.close();
    EXPECT_FALSE(set.isVisible());
    EXPECT_EQ(&program().fomSet(), &set) << "closing hides; the window is never made twice";
}

TEST_F(SettingsWindow, BoardSizeClearsTheBoardAndRelaysOut) {
    start();
    clickPoint(4, 4);
    const int height19 = main().height();
    FomSet& set = program().fomSet();
    option(set, "Option1_2")->click();
    EXPECT_EQ(state().BoardSize, 9);
    EXPECT_EQ(state().MoveCount, 0);
    EXPECT_EQ(program().settings().read("Ban", ""), "2");
    EXPECT_EQ(board().pitch(), GridPitch(main().width() * 15, 9));
    EXPECT_GT(main().height(), height19) << "a 9-line window is taller";
    option(set, "Option1_1")->click();
    EXPECT_EQ(state().BoardSize, 13);
}

TEST_F(SettingsWindow, TintsChangeThePictureAtOnce) {
    start();
    FomSet& set = program().fomSet();
    EXPECT_EQ(boardPixel(board()), QColor(255, 255, 0));
    option(set, "Option4_2")->click();
    EXPECT_EQ(boardPixel(board()), QColor(128, 128, 0));
    EXPECT_EQ(program().settings().read("Baniro", ""), "2");
    option(set, "Option4_1")->click();
    EXPECT_EQ(boardPixel(board()), QColor(204, 184, 0));

    clickPoint(3, 3);
    clickPoint(5, 5);  // white
    const QPoint white = pointAt(5, 5) + QPoint(board().pitch() / 15 / 4, 0);
    EXPECT_EQ(board().grab().toImage().pixelColor(white), QColor(255, 255, 255));
    option(set, "Option7_1")->click();
    EXPECT_EQ(board().grab().toImage().pixelColor(white), QColor(229, 229, 229));
    EXPECT_EQ(program().settings().read("Shiro", ""), "1");
}

TEST_F(SettingsWindow, NumbersAreShownAtOnceAndHideTheHighlightDots) {
    start();
    clickPoint(10, 10);
    const QImage plain = board().grab().toImage();
    option(program().fomSet(), "Option5_0")->click();
    EXPECT_TRUE(program().options().showNumbers);
    EXPECT_EQ(program().settings().read("Bangou", ""), "0");
    EXPECT_NE(board().grab().toImage(), plain);
    option(program().fomSet(), "Option5_1")->click();
    board().setMarkerLit(false);
    EXPECT_EQ(board().grab().toImage(), plain);
}

TEST_F(SettingsWindow, CoordinateStyleCommentaryAndOrigin) {
    start();
    FomSet& set = program().fomSet();
    option(set, "OptNT")->click();
    EXPECT_FALSE(program().options().digitLabels);
    EXPECT_EQ(program().settings().read("OS", ""), "NT");
    option(set, "Option2_1")->click();
    EXPECT_FALSE(main().commentaryShown());
    EXPECT_EQ(program().settings().read("Kaisetu", ""), "非表示");
    option(set, "Option8")->click();
    EXPECT_EQ(program().settings().read("Pnada", ""), "1");
    EXPECT_TRUE(program().options().ugfLowerLeftOrigin);
}

TEST_F(SettingsWindow, WhereARecordOpensIsStoredAndLastMoveIsTheDefault) {
    start();
    FomSet& set = program().fomSet();
    EXPECT_EQ(set.findChild<QGroupBox*>("FrameOpen")->title(), QStringLiteral("棋譜を開いたとき"));
    EXPECT_EQ(option(set, "OptionOpen_0")->text(), QStringLiteral("最終手"));
    EXPECT_TRUE(option(set, "OptionOpen_0")->isChecked());
    EXPECT_FALSE(program().options().openRecordsAtStart);
    option(set, "OptionOpen_1")->click();
    EXPECT_EQ(option(set, "OptionOpen_1")->text(), QStringLiteral("初手"));
    EXPECT_TRUE(program().options().openRecordsAtStart);
    EXPECT_EQ(program().settings().read("Hiraki", ""), "1");
    option(set, "OptionOpen_0")->click();
    EXPECT_FALSE(program().options().openRecordsAtStart);
    EXPECT_EQ(program().settings().read("Hiraki", ""), "0");
    // The frame lies inside the window, beside the other frames, clear of the close button.
    const QRect frameOpen = set.findChild<QGroupBox*>("FrameOpen")->geometry();
    EXPECT_TRUE(set.rect().contains(frameOpen));
    EXPECT_FALSE(frameOpen.intersects(set.findChild<QGroupBox*>("Frame2")->geometry()));
    EXPECT_FALSE(frameOpen.intersects(set.findChild<QPushButton*>("Command1")->geometry()));
}

TEST_F(SettingsWindow, StoneChoiceDecidesTheColour) {
    start();
    option(program().fomSet(), "Optionshiro")->click();
    clickPoint(3, 3);
    clickPoint(4, 4);
    EXPECT_EQ(stoneAt(3, 3), kWhite + 1);
    EXPECT_EQ(stoneAt(4, 4), kWhite + 1);
}

TEST_F(SettingsWindow, HandicapPlacesItsStonesAndShowsNoneAgain) {
    start();
    clickPoint(10, 10);
    FomSet& set = program().fomSet();
    option(set, "Option6_0")->click();
    EXPECT_EQ(state().MoveCount, 1) << "なし leaves board and record alone";
    option(set, "Option6_5")->click();  // six stones
    EXPECT_EQ(state().MoveCount, 6);
    EXPECT_EQ(stoneAt(10, 10), 0);
    EXPECT_EQ(stoneAt(4, 10), kBlack + 1);
    EXPECT_EQ(stoneAt(16, 10), kBlack + 1);
    EXPECT_TRUE(option(set, "Option6_0")->isChecked());
    option(set, "Option1_2")->click();  // nine lines: every point lands on the board
    option(set, "Option6_8")->click();
    EXPECT_EQ(state().MoveCount, 9);
    for (int k = 1; k <= 9; ++k)
        EXPECT_TRUE(state().onBoard(state().MoveCol[k], state().MoveRow[k]));
}

TEST_F(SettingsWindow, HandicapIsAnnouncedToTheOpponentOnlyDuringAMatch) {
    struct FakeNet : NetLink {
        std::vector<int> announced;
        void announceHandicap(int optionIndex) override { announced.push_back(optionIndex); }
    } net;
    start();
    program().setNet(&net);
    option(program().fomSet(), "Option6_2")->click();
    EXPECT_TRUE(net.announced.empty());
    state().NetMatchActive = true;
    option(program().fomSet(), "Option6_3")->click();
    EXPECT_EQ(net.announced, std::vector<int>{3});
    state().NetMatchActive = false;
    program().setNet(nullptr);
}

TEST_F(SettingsWindow, SpeedScrollBarEnds) {
    start();
    FomSet& set = program().fomSet();
    auto* bar = set.findChild<QScrollBar*>("HScroll1");
    bar->setValue(bar->minimum());
    EXPECT_EQ(set.speedCaption(), QStringLiteral("0.1"));
    bar->setValue(bar->maximum());
    EXPECT_EQ(set.speedCaption(), QStringLiteral("20"));
    EXPECT_EQ(program().settings().read("Speed", ""), "20");
    bar->setValue(1234);
    EXPECT_EQ(set.speedCaption(), QStringLiteral("1.23"));
    set.setSpeedValue(50);  // below the bar's range: ignored
    EXPECT_EQ(bar->value(), 1234);
    set.show();
    set.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(set.isVisible());
}

}  // namespace
}  // namespace kelmaz
