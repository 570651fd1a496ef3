// Records that reach the board without the file window: named on the command line, dropped on
// the window, pasted with Ctrl+V; and F1 opening the help.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QUrl>

#include "shell/ui/HelpWindow.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

const char* kGame = "(;GM[1]FF[4]SZ[19]PB[黒]PW[白];B[pd];W[dp];B[pq];W[dd])\n";
const char* kUgf =
    "[Header]\r\nVer=UGF\r\nHdcp=0,6.5\r\n[Files]\r\nx.ugi\r\n[Data]\r\nPD,B1,1,0\r\nDP,W1,2,0\r\n";

class RecordIntakeTest : public test::ProgramFixture {
protected:
    QString write(const char* name, const std::string& text) {
        test::writeBytes(dir_.file(name), text);
        return QString::fromStdString(dir_.file(name).string());
    }
    void startWith(const QString& commandLine) {
        program_ = std::make_unique<Program>();
        program_->StartupMain(commandLine);
    }
    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&main(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&main(), &dropped);
    }
    // Shortcuts reach the active window only.
    void activate() {
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    void paste(QWidget& target, const QString& text) {
        QApplication::clipboard()->setText(text);
        activate();
        target.setFocus();
        QTest::keyClick(&target, Qt::Key_V, Qt::ControlModifier);
    }
    Program& running() { return program_ ? *program_ : program(); }
    const GameState& shown() { return running().state(); }

    std::unique_ptr<Program> program_;
};

TEST_F(RecordIntakeTest, AFileNamedAloneOnTheCommandLineIsReadToItsLastMove) {
    const QString path = write("対局 1.sgf", kGame);
    startWith(path);
    EXPECT_EQ(shown().MoveCount, 4);
    EXPECT_EQ(shown().BoardGrid[16][4], kBlack + 1);
    EXPECT_EQ(shown().BoardGrid[4][4], kWhite + 1);
    EXPECT_EQ(shown().InstanceNo, "0") << "not taken for a clone";
    program_.reset();
}

TEST_F(RecordIntakeTest, AnExistingPathWithACommaIsAClonesListNotAFile) {
    const QString path = write("a,b.sgf", kGame);
    startWith(path);
    EXPECT_EQ(shown().MoveCount, 0);
    program_.reset();
}

TEST_F(RecordIntakeTest, AFileDroppedOnTheWindowIsRead) {
    start();
    drop(write("drop.sgf", kGame));
    EXPECT_EQ(state().MoveCount, 4);
    EXPECT_EQ(stoneAt(16, 17), kBlack + 1);
}

TEST_F(RecordIntakeTest, AFileThatCannotBeReadKeepsTheBoardAndSaysSo) {
    start();
    clickPoint(10, 10);
    drop(QString::fromStdString(dir_.file("gone.sgf").string()));
    EXPECT_EQ(state().MoveCount, 1);
    EXPECT_EQ(stoneAt(10, 10), kBlack + 1);
    auto* box = main().findChild<QMessageBox*>(QStringLiteral("RecordReadFailed"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("ファイルが開けません")));
    box->close();
}

TEST_F(RecordIntakeTest, CtrlVOnTheBoardTakesTheRecordOnTheClipboard) {
    start();
    paste(board(), QString::fromUtf8(kUgf));
    EXPECT_EQ(state().MoveCount, 2);
    EXPECT_EQ(stoneAt(16, 4), kBlack + 1);

    paste(board(), QString::fromUtf8(kGame));
    EXPECT_EQ(state().MoveCount, 4);
}

TEST_F(RecordIntakeTest, CtrlVWithOrdinaryTextOrInTheCommentaryBoxLeavesTheBoard) {
    start();
    clickPoint(10, 10);
    paste(board(), QStringLiteral("今日は良い天気です"));
    EXPECT_EQ(state().MoveCount, 1);

    auto* commentary = main().findChild<QPlainTextEdit*>();
    ASSERT_NE(commentary, nullptr);
    paste(*commentary, QString::fromUtf8(kGame));
    EXPECT_EQ(state().MoveCount, 1);
    EXPECT_TRUE(commentary->toPlainText().contains(QStringLiteral("GM[1]")));
}

TEST_F(RecordIntakeTest, F1OpensTheHelpAtItsContents) {
    start();
    activate();
    QTest::keyClick(&board(), Qt::Key_F1);
    HelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible()) help = h;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->source().toString().endsWith(QStringLiteral("index.html")));
    help->close();
}

}  // namespace
}  // namespace kelmaz
