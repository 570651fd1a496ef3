#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "engine/Engine.h"
#include "shell/ui/FomSet.h"
#include "support/FireTimer.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

using MainWindow = test::ProgramFixture;

const char* const kNoPrisoners = "Kelmaz 碁盤No0     上げハマ 黒 = 0  白 = 0";

TEST_F(MainWindow, OpensWithAnEmptyNineteenLineBoardAtTheDefaultGeometry) {
    start();
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Kelmaz 碁盤No0"));
    EXPECT_EQ(state().BoardSize, 19);
    EXPECT_EQ(main().width() * kTwipsPerPixel, 4005);  // 4000 twips, to the pixel
    EXPECT_EQ(board().pitch(), 187);
    EXPECT_TRUE(main().controlPanelShown());
    EXPECT_FALSE(program().options().showNumbers);
}

TEST_F(MainWindow, LeftClicksPlaceAlternatingStonesAndShowTheMoveNumber) {
    start();
    clickPoint(4, 4);
    clickPoint(16, 16);
    EXPECT_EQ(stoneAt(4, 4), kBlack + 1);
    EXPECT_EQ(stoneAt(16, 16), kWhite + 1);
    EXPECT_EQ(state().MoveCount, 2);
    EXPECT_EQ(main().findChild<QLineEdit*>("Text1")->text(), QStringLiteral("2"));

    clickPoint(4, 4);  // occupied: nothing happens
    EXPECT_EQ(state().MoveCount, 2);
}

TEST_F(MainWindow, ClicksOffTheBoardPlaceNothing) {
    start();
    const int p = board().pitch();
    // Above the first line by more than half a pitch, and in the label margin.
    QTest::mouseClick(&board(), Qt::LeftButton, {},
                      QPoint(qRound((100 + 3 * p) / 15.0), qRound((100 + p / 2 - 20) / 15.0)));
    QTest::mouseClick(&board(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(state().MoveCount, 0);
}

TEST_F(MainWindow, RightClickOpensTheControlMenuAndPlacesNoStone) {
    start();
    clickPoint(10, 10, Qt::RightButton);
    QMenu& menu = main().controlMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 2000));
    EXPECT_EQ(menu.title(), QStringLiteral("コントロール(&C)"));
    EXPECT_EQ(state().MoveCount, 0);
    menu.hide();
}

TEST_F(MainWindow, CaptionCountsPrisoners) {
    start();
    // Black surrounds the white stone in the corner: B(2,1) W(1,1) B(1,2) captures it.
    clickPoint(2, 1);
    clickPoint(1, 1);
    clickPoint(1, 2);
    EXPECT_EQ(stoneAt(1, 1), 0);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Kelmaz 碁盤No0     上げハマ 黒 = 1  白 = 0"));
    main().findChild<QToolButton*>("Command1")->click();  // clear
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Kelmaz 碁盤No0"));
    EXPECT_EQ(state().MoveCount, 0);
}

TEST_F(MainWindow, NavigationButtonsWalkTheRecord) {
    start();
    for (int i = 1; i <= 5; ++i) clickPoint(i, 3 + i % 2 * 6);
    auto* text1 = main().findChild<QLineEdit*>("Text1");
    main().findChild<QToolButton*>("Command2")->click();
    EXPECT_EQ(state().MoveCount, 4);
    main().findChild<QToolButton*>("Command7")->click();
    EXPECT_EQ(state().MoveCount, 0) << "the first-move button shows the board before move 1";
    EXPECT_EQ(text1->text(), QStringLiteral("0"));
    EXPECT_EQ(main().windowTitle(), QString::fromUtf8(kNoPrisoners));
    main().findChild<QToolButton*>("Command5")->click();
    EXPECT_EQ(state().MoveCount, 1);
    main().findChild<QToolButton*>("Command8")->click();
    EXPECT_EQ(state().MoveCount, 5);
    text1->setText(QStringLiteral("3"));
    main().findChild<QToolButton*>("Command6")->click();
    EXPECT_EQ(state().MoveCount, 3);
    EXPECT_EQ(text1->text(), QStringLiteral("3"));
    EXPECT_EQ(stoneAt(4, 9), 0) << "move 4 is taken off the board";
}

TEST_F(MainWindow, ReplayRunsToTheEndAndBlocksClicksMeanwhile) {
    start();
    for (int i = 1; i <= 3; ++i) clickPoint(i, 5);
    auto* start = main().findChild<QToolButton*>("Command9");
    auto* stop = main().findChild<QToolButton*>("Command4");
    start->click();  // at the end of the record: starts again from the empty board
    EXPECT_TRUE(stop->isVisible());
    EXPECT_FALSE(start->isVisible());
    clickPoint(10, 10);
    EXPECT_EQ(stoneAt(10, 10), 0) << "no stone while the replay runs";
    for (int tick = 0; tick < 10 && test::fire(main().replayTimer()); ++tick) {
    }
    EXPECT_TRUE(start->isVisible());
    EXPECT_EQ(state().MoveCount, 3);
    EXPECT_FALSE(stop->isVisible());
}

TEST_F(MainWindow, LastMoveMarkerBlinks) {
    start();
    clickPoint(10, 10);
    for (int tick = 0; tick < 2 && !board().markerLit(); ++tick)
        ASSERT_TRUE(test::fire(main().markerTimer()));
    ASSERT_TRUE(board().markerLit());
    ASSERT_TRUE(test::fire(main().markerTimer()));
    EXPECT_FALSE(board().markerLit());
    ASSERT_TRUE(test::fire(main().markerTimer()));
    EXPECT_TRUE(board().markerLit());
    main().findChild<QToolButton*>("Command1")->click();
    EXPECT_FALSE(board().markerLit()) << "no marker on an empty board";
}

TEST_F(MainWindow, KoRecaptureIsRefusedWithAMessage) {
    start();
    // Black (5,1) (4,2) (5,3) and White (6,1) (7,2) (6,3) frame a ko on (5,2)/(6,2).
    const int moves[][2] = {{5, 1}, {6, 1}, {4, 2}, {7, 2}, {5, 3}, {6, 3}, {6, 2}, {5, 2}};
    for (const auto& m : moves) clickPoint(m[0], m[1]);
    // White's (5,2) captured the black stone on (6,2); Black retaking at once is refused.
    ASSERT_EQ(stoneAt(6, 2), 0);
    clickPoint(6, 2);
    EXPECT_EQ(stoneAt(6, 2), 0);
    EXPECT_EQ(state().MoveCount, 8);
    QMessageBox* box = main().findChild<QMessageBox*>("KoRefusal");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("禁手"));
    EXPECT_EQ(box->text(), QStringLiteral("コウだてが必要です"));
    box->close();
}

TEST_F(MainWindow, ButtonsAndBoxesCarryNames) {
    start();
    const std::pair<const char*, const char*> names[] = {
        {"Command6", "指定手へ"}, {"Command7", "初手"},
        {"Command2", "一手戻し"}, {"Command5", "次の手"},
        {"Command8", "最終手"},   {"Command9", "再現"},
        {"Command4", "停止"},     {"Command3", "新しいウィンドウの作成"},
        {"Command1", "画面消去"}};
    for (const auto& [object, name] : names) {
        auto* button = main().findChild<QToolButton*>(object);
        ASSERT_NE(button, nullptr) << object;
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(name));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(name));
        EXPECT_TRUE(button->text().isEmpty() ||
                    button->toolButtonStyle() == Qt::ToolButtonIconOnly);
        EXPECT_FALSE(button->icon().isNull());
    }
    EXPECT_EQ(main().findChild<QLineEdit*>("Text1")->accessibleName(), QStringLiteral("手数"));
    EXPECT_EQ(main().findChild<QPlainTextEdit*>("TxtKaisetu")->accessibleName(),
              QStringLiteral("解説"));
}

TEST_F(MainWindow, ControlPanelToggleRestoresTheHeightAndIsStored) {
    start();
    const int height = main().height();
    auto* toggle = main().findChild<QAction*>("mhyouji");
    toggle->trigger();
    EXPECT_FALSE(main().controlPanelShown());
    EXPECT_LT(main().height(), height);
    EXPECT_EQ(program().settings().read("dispCont", ""), "0");
    toggle->trigger();
    EXPECT_TRUE(main().controlPanelShown());
    EXPECT_EQ(main().height(), height);
    EXPECT_EQ(program().settings().read("dispCont", ""), "1");
}

TEST_F(MainWindow, HeightFollowsTheWidth) {
    start();
    main().resize(400, main().height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().width() == 400; }, 2000)) << main().width();
    EXPECT_EQ(main().height(), qRound(windowHeightFor(6000, true, true, 19) / 15.0));
    EXPECT_EQ(board().pitch(), GridPitch(6000, 19));
}

TEST_F(MainWindow, TypedCommentarySurvivesARelayoutAndIsStoredWithTheNextStone) {
    start();
    clickPoint(3, 3);
    auto* box = main().findChild<QPlainTextEdit*>("TxtKaisetu");
    box->setPlainText(QStringLiteral("定石"));
    main().ResizeRedraw();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("定石"));
    clickPoint(17, 17);
    EXPECT_EQ(state().MoveComment[1], "定石");
    EXPECT_TRUE(box->toPlainText().isEmpty());
}

TEST_F(MainWindow, RotationTurnsTheRecord) {
    start();
    clickPoint(3, 4);
    clickPoint(5, 5);
    main().findChild<QToolButton*>("Command2")->click();
    main().findChild<QAction*>("gkaiten")->trigger();
    EXPECT_EQ(state().MoveCol[1], 17);
    EXPECT_EQ(state().MoveRow[1], 16);
    EXPECT_EQ(state().MoveCount, 2) << "rotation shows the last move";
    EXPECT_EQ(stoneAt(17, 16), kBlack + 1);
}

// The panel shows the version the program was built as, the one its package and manual carry.
TEST_F(MainWindow, TheVersionPanelShowsTheBuiltVersion) {
    start();
    main().findChild<QAction*>("mver")->trigger();
    auto* panel = main().findChild<QWidget*>("Frame2");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(main().findChild<QLabel*>("Label1")->text(), QStringLiteral("Ver " KELMAZ_VERSION));
    main().findChild<QPushButton*>("Command10")->click();
    EXPECT_FALSE(panel->isVisible());
}

}  // namespace
}  // namespace kelmaz
