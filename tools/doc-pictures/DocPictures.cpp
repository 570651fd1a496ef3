// Makes the pictures of the README (docs/*.png) from real windows, offscreen. Not a test suite:
// scripts/screenshots.sh runs it with KELMAZ_SCREENSHOT_DIR naming the folder to write into,
// and a case fails only when its picture cannot be made.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <regex>

#include "app/RecordIntake.h"
#include "engine/Engine.h"
#include "gtp/GtpCommand.h"
#include "gtp/ui/FomGtp.h"
#include "intake/RecordFormat.h"
#include "shell/ui/FomSet.h"
#include "support/ProgramFixture.h"
#include "tree/ui/FomNode.h"
#include "tree/ui/PicNode.h"

namespace kelmaz {
namespace {

void save(const QImage& picture, const QString& name) {
    const QString dir = qEnvironmentVariable("KELMAZ_SCREENSHOT_DIR");
    ASSERT_FALSE(dir.isEmpty()) << "KELMAZ_SCREENSHOT_DIR names no folder";
    ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_TRUE(picture.save(QDir(dir).filePath(name + ".png"))) << name.toStdString();
}

// Two windows side by side, as the user sees them.
QImage sideBySide(QWidget& left, QWidget& right) {
    const QImage a = left.grab().toImage();
    const QImage b = right.grab().toImage();
    QImage both(a.width() + b.width(), std::max(a.height(), b.height()), QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter p(&both);
    p.drawImage(0, 0, a);
    p.drawImage(a.width(), 0, b);
    return both;
}

using DocPictures = test::ProgramFixture;

TEST_F(DocPictures, MainWindowWithSixtyNumberedMoves) {
    const std::string sgf =
        test::readBytes(test::dataFile("records/games_plain/gnugo__century21__gnugo-smartgo.sgf"));
    writeIni("Width,9000\nBangou,0\n");
    start();
    const std::regex move(";[BW]\\[([a-s])([a-s])\\]");
    int played = 0;
    for (auto it = std::sregex_iterator(sgf.begin(), sgf.end(), move);
         it != std::sregex_iterator() && played < 60; ++it, ++played) {
        clickPoint((*it)[1].str()[0] - 'a' + 1, (*it)[2].str()[0] - 'a' + 1);
    }
    ASSERT_EQ(state().MoveCount, 60);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board().markerLit(); }, 3000));
    save(main().grab().toImage(), "main-window");
}

TEST_F(DocPictures, SettingsWindow) {
    start();
    program().fomSet().show();
    save(program().fomSet().grab().toImage(), "settings");
}

TEST_F(DocPictures, TreeWindowBesideTheBoard) {
    start();
    FomNode& tree = program().treeWindow();
    tree.setDialogs(dialogs_);
    main().resize(620, 700);
    const auto path = test::dataFile("handmade/sgf-commented-game-with-variations.sgf");
    program().engine().gCls();
    ASSERT_EQ(readRecordFile(path.string(), state(), program().options(), program().tree()).status,
              RecordReadResult::Status::Ok);
    program().engine().Redraw(1, state().MoveCount);
    ASSERT_TRUE(tree.isVisible());
    const TreeModel& m = tree.session().model();
    tree.PicNode_MouseDown(m.nodeX(3, 2), m.nodeY(3));
    save(sideBySide(main(), tree), "tree-window");
}

TEST_F(DocPictures, CommentedGameIntroductionAtMoveZero) {
    start();
    FomNode& tree = program().treeWindow();
    tree.setDialogs(dialogs_);
    main().resize(620, 700);
    const auto path =
        test::dataFile("records/games_commented/littlego__Famous_games__Blood-vomiting_game.sgf");
    program().engine().gCls();
    ASSERT_EQ(readRecordFile(path.string(), state(), program().options(), program().tree()).status,
              RecordReadResult::Status::Ok);
    program().engine().Redraw(1, state().MoveCount);
    ASSERT_TRUE(tree.isVisible());
    program().engine().firstMove();
    ASSERT_EQ(state().MoveCount, 0);
    const TreeModel& m = tree.session().model();
    tree.PicNode_MouseDown(m.nodeX(1, 1), m.nodeY(1));
    save(sideBySide(main(), tree), "commented-game-introduction");
}

TEST_F(DocPictures, LabelsAndMarksOnTheBoard) {
    writeIni("Width,9000\n");
    start();
    readRecordFileIntoBoard(
        program(),
        QString::fromStdString(test::dataFile("handmade/sgf-labels-and-marks.sgf").string()));
    ASSERT_EQ(state().MoveCount, 8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board().markerLit(); }, 3000));
    save(main().grab().toImage(), "markup");
}

// A game against GNU Go at its lowest level on 9 lines, a few moves in, with the window's log.
TEST_F(DocPictures, ComputerGameAgainstGnuGo) {
    const char* path = std::getenv("PATH");
    const std::string found = defaultGtpCommand(path ? path : "");
    ASSERT_NE(found.rfind("gnugo ", 0), 0u) << "gnugo is not installed";
    start();
    main().resize(620, 700);
    program().showGtpWindow();
    FomGtp& window = *program().fomGtp();
    window.resize(440, main().height());
    window.findChild<QLineEdit*>("TxtCommand")
        ->setText(
            QString::fromStdString(found.substr(0, found.find(' ')) + " --mode gtp --level 1"));
    window.findChild<QButtonGroup*>("OptSize")->button(2)->click();
    window.findChild<QAbstractButton*>("CmdStart")->click();
    auto ready = [&] { return window.playing() && !window.thinking(); };
    ASSERT_TRUE(QTest::qWaitFor(ready, 30'000));
    int placed = 0;
    for (auto [col, row] : std::vector<std::pair<int, int>>{
             {3, 3}, {7, 7}, {7, 3}, {3, 7}, {5, 3}, {4, 5}, {6, 5}, {5, 7}, {2, 5}, {8, 5}}) {
        if (placed == 6) break;
        if (stoneAt(col, row) != 0) continue;
        clickPoint(col, row);
        if (state().MoveCount % 2 == 0) continue;  // refused by the rules
        ++placed;
        ASSERT_TRUE(QTest::qWaitFor(ready, 30'000));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return board().markerLit(); }, 3000));
    save(sideBySide(main(), window), "computer-game");
    window.CmdStop_Click();
}

}  // namespace
}  // namespace kelmaz
