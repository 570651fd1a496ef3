// Records that reach the board without the file window: named on the command line, dropped on
// the window, pasted with Ctrl+V; and F1 opening the help.
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>

#include "engine/Engine.h"
#include "records/RecordFile.h"
#include "records/RecordMoves.h"
#include "records/ui/FomFile.h"
#include "records/ui/FomGames.h"
#include "records/ui/FomJ.h"
#include "shell/ui/FomSet.h"
#include "shell/ui/HelpWindow.h"
#include "support/ProgramFixture.h"
#include "support/TopLevel.h"

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
        QApplication::sendEvent(&running().fomMain(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&running().fomMain(), &dropped);
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
    // The read message over the main window; closed once its text is taken.
    QString readMessage() {
        auto* box = running().fomMain().findChild<QMessageBox*>(QStringLiteral("RecordReadFailed"));
        if (box == nullptr) return {};
        const QString text = box->text();
        box->close();
        return text;
    }
    const GameState& shown() { return running().state(); }
    FomFile* fileWindow() {
        running().showFileWindow();
        return test::topLevel<FomFile>();
    }
    // The list of a collection's games, once it is shown.
    FomGames* gamesList() { return test::topLevel<FomGames>(true); }
    // The size option shown: its index, -1 when none is selected.
    int sizeOptionShown() {
        for (int i = 0; i < 3; ++i) {
            auto* button =
                running().fomSet().findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(i));
            if (button != nullptr && button->isChecked()) return i;
        }
        return -1;
    }

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

TEST_F(RecordIntakeTest, WithTheStartChosenARecordOpensAtMoveZeroWithItsIntroduction) {
    writeIni("Hiraki,1\n");
    const QString path = write("intro.sgf", "(;GM[1]C[名局の序];B[pd]C[一手目];W[dp])\n");
    startWith(path);
    EXPECT_EQ(shown().MoveCount, 0);
    EXPECT_EQ(shown().BoardGrid[16][4], 0);
    EXPECT_EQ(running().fomMain().commentaryText(), "名局の序");
    EXPECT_TRUE(running().fomSet().findChild<QRadioButton*>("OptionOpen_1")->isChecked());
    running().engine().oneForward();
    EXPECT_EQ(shown().MoveCount, 1) << "the whole record is there to step through";
    EXPECT_EQ(running().fomMain().commentaryText(), "一手目");
    running().engine().lastMove();
    EXPECT_EQ(shown().MoveCount, 2);
    program_.reset();
}

TEST_F(RecordIntakeTest, AnExistingPathWithACommaIsAClonesListNotAFile) {
    const QString path = write("a,b.sgf", kGame);
    startWith(path);
    EXPECT_EQ(shown().MoveCount, 0);
    program_.reset();
}

TEST_F(RecordIntakeTest, AMissingFileOrAFolderOnTheCommandLineIsReportedOverAnEmptyBoard) {
    const QString folder = QString::fromStdString(dir_.path().string());
    for (const QString& path :
         {QString::fromStdString(dir_.file("missing.sgf").string()), folder, QStringLiteral("0")}) {
        startWith(path);
        EXPECT_EQ(readMessage(), QString::fromUtf8(kReadErrorMessage.data())) << path.toStdString();
        EXPECT_EQ(shown().MoveCount, 0);
        EXPECT_EQ(shown().InstanceNo, "0") << "not taken for a clone";
        EXPECT_EQ(running().fomMain().windowTitle(), QStringLiteral("Kelmaz 碁盤No0"));
        program_.reset();
    }
}

TEST_F(RecordIntakeTest, TheCommandLineNamesTheFileExactlyBlanksIncluded) {
    write("game.sgf", kGame);
    const QString padded = write("game.sgf ", "(;GM[1]SZ[19];B[aa])\n");
    startWith(padded);
    EXPECT_EQ(shown().MoveCount, 1) << "the name with its blank, not the trimmed one";
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

TEST_F(RecordIntakeTest, AFileThatHoldsNoRecordKeepsTheBoardAndSaysSo) {
    start();
    clickPoint(10, 10);
    for (const char* name : {"note.txt", "empty.sgf"}) {
        drop(write(name,
                   name == std::string("note.txt") ? "今日は良い天気です。\n対局は明日。\n" : ""));
        EXPECT_EQ(readMessage(), QString::fromUtf8(kFormatErrorMessage.data())) << name;
        EXPECT_EQ(state().MoveCount, 1) << name;
        EXPECT_EQ(stoneAt(10, 10), kBlack + 1) << name;
    }
    test::writeBytes(dir_.file("picture.png"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    drop(QString::fromStdString(dir_.file("picture.png").string()));
    EXPECT_FALSE(readMessage().isEmpty());
    EXPECT_EQ(stoneAt(10, 10), kBlack + 1);
}

TEST_F(RecordIntakeTest, TheFileWindowRefusesAFileThatHoldsNoRecordLikeEveryOtherRoute) {
    start();
    clickPoint(10, 10);
    clickPoint(4, 4);
    program().showFileWindow();
    FomFile* file = test::topLevel<FomFile>();
    ASSERT_NE(file, nullptr);
    const QStringList& messages = dialogs_.notices;
    file->setDialogs(dialogs_);
    file->Txtfile->setText(write("note.txt", "今日は良い天気です。\n対局は明日。\n"));
    file->CmdRead_Click();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kFormatErrorMessage.data())});
    EXPECT_EQ(state().MoveCount, 2);
    EXPECT_EQ(stoneAt(10, 10), kBlack + 1);
    EXPECT_EQ(stoneAt(4, 4), kWhite + 1);

    // A record read the same way still replaces the game.
    file->Txtfile->setText(write("game.sgf", kGame));
    file->CmdRead_Click();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(state().MoveCount, 4);
    EXPECT_EQ(stoneAt(16, 4), kBlack + 1);
}

TEST_F(RecordIntakeTest, TheGameInformationDialogFollowsClearsReadsAndWrites) {
    start();
    program().showGameInfoWindow();
    FomJ* info = test::topLevel<FomJ>();
    ASSERT_NE(info, nullptr);
    const auto field = [info](InfoField f) { return info->Text1(static_cast<int>(f))->text(); };

    drop(write("good.sgf", kGame));
    EXPECT_EQ(field(InfoField::PB), QStringLiteral("黒"));
    main().findChild<QToolButton*>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(state().Info[InfoField::PB], "");
    EXPECT_EQ(field(InfoField::PB), QString());

    drop(write("good.sgf", kGame));
    program().engine().gCls();  // every other clear: size change, the peer's "CLS"
    EXPECT_EQ(field(InfoField::PB), QString());

    drop(write("game.txt", "fmt=Tki\n[Data]\n16,4,0,\n4,16,1,\n"));
    EXPECT_EQ(field(InfoField::AP), QString());
    program().showFileWindow();
    FomFile* file = test::topLevel<FomFile>();
    ASSERT_NE(file, nullptr);
    const QStringList& messages = dialogs_.notices;
    file->setDialogs(dialogs_);
    file->Txtfile->setText(QString::fromStdString(dir_.file("written").string()));
    file->CmdWrite_Click();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(std::filesystem::exists(dir_.file("written.sgf")));
    EXPECT_EQ(field(InfoField::AP), QStringLiteral("KelMaz clone"));
    info->close();
}

TEST_F(RecordIntakeTest, AReadThatFailsHalfwayStillShowsItsGameInformation) {
    start();
    program().showGameInfoWindow();
    FomJ* info = test::topLevel<FomJ>();
    ASSERT_NE(info, nullptr);
    const int blackPlayer = static_cast<int>(InfoField::PB);

    drop(write("good.sgf", kGame));
    EXPECT_EQ(info->Text1(blackPlayer)->text(), QStringLiteral("黒"));
    // The board is cleared for it, the header is read, then a move line has a field too many.
    drop(write("broken.ugf",
               "[Header]\nVer=UGF,1\nPlayerB=山田,3d\n[Data]\nPD,B1,1,0\nDP,W1,2,0,0,0\n"));
    EXPECT_EQ(readMessage(), QString::fromUtf8(kFormatErrorMessage.data()));
    EXPECT_EQ(state().Info[InfoField::PB], "山田");
    EXPECT_EQ(info->Text1(blackPlayer)->text(), QStringLiteral("山田"));
    info->close();
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
    HelpWindow* help = test::topLevel<HelpWindow>(true);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->source().toString().endsWith(QStringLiteral("index.html")));
    help->close();
}

// A record's own size comes with it by every route; the size option shown follows, and the
// size the user chose stays in the settings.
TEST_F(RecordIntakeTest, TheBoardTakesTheRecordsSizeByEveryRouteAndTheSettingStays) {
    writeIni("Ban,1\n");  // the user chose 13 lines
    start();
    ASSERT_EQ(state().BoardSize, 13);
    ASSERT_EQ(sizeOptionShown(), 1);
    const std::string iniAtStart = test::readBytes(iniFile());

    // A record the size of the board it finds changes nothing of the size.
    paste(board(), QStringLiteral("(;SZ[13];B[mm])"));
    EXPECT_EQ(state().BoardSize, 13);
    EXPECT_EQ(stoneAt(13, 13), kBlack + 1);
    // Too large a board: refused by name, the board as it was.
    paste(board(), QStringLiteral("(;SZ[25];B[yy])"));
    EXPECT_NE(readMessage().indexOf(QStringLiteral("25路盤")), -1);
    EXPECT_EQ(state().BoardSize, 13);
    EXPECT_EQ(state().MoveCount, 1);
    EXPECT_EQ(stoneAt(13, 13), kBlack + 1);

    FomFile* file = fileWindow();
    ASSERT_NE(file, nullptr);
    const QStringList& messages = dialogs_.notices;
    file->setDialogs(dialogs_);
    file->Txtfile->setText(write("nine.sgf", "(;SZ[9];B[ee];W[ii])"));
    file->CmdRead_Click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("/").toStdString();
    EXPECT_EQ(state().BoardSize, 9);
    EXPECT_EQ(state().MoveCount, 2);
    EXPECT_EQ(stoneAt(9, 9), kWhite + 1);
    EXPECT_EQ(sizeOptionShown(), 2);
    EXPECT_EQ(board().pitch(), GridPitch(main().width() * 15, 9));

    // A size no option offers: none is shown selected.
    drop(write("seven.sgf", "(;SZ[7];B[dd];W[gg])"));
    EXPECT_EQ(state().BoardSize, 7);
    EXPECT_EQ(stoneAt(7, 7), kWhite + 1);
    EXPECT_EQ(sizeOptionShown(), -1);
    EXPECT_EQ(board().pitch(), GridPitch(main().width() * 15, 7));

    drop(write("nineteen.sgf", kGame));
    EXPECT_EQ(state().BoardSize, 19);
    EXPECT_EQ(sizeOptionShown(), 0);
    EXPECT_EQ(program().settings().read("Ban", ""), "1") << "the stored choice stays";
    EXPECT_EQ(test::readBytes(iniFile()), iniAtStart) << "no read writes the settings file";
    // The option clicked again takes the user's size and stores it.
    running().fomSet().findChild<QRadioButton*>(QStringLiteral("Option1_1"))->click();
    EXPECT_EQ(state().BoardSize, 13);
    EXPECT_EQ(program().settings().read("Ban", ""), "1");
    // Another choice made while a record's own size is shown stores the user's size with it.
    drop(write("nine-again.sgf", "(;SZ[9];B[ee])"));
    ASSERT_EQ(state().BoardSize, 9);
    running().fomSet().findChild<QRadioButton*>(QStringLiteral("Option4_1"))->click();
    EXPECT_EQ(program().settings().read("Ban", ""), "1");
    program().Pend();
    EXPECT_NE(test::readBytes(iniFile()).find("Ban,1"), std::string::npos);
}

TEST_F(RecordIntakeTest, ACollectionReadInTheFileWindowOpensTheGameChosen) {
    start();
    clickPoint(4, 4);
    FomFile* file = fileWindow();
    ASSERT_NE(file, nullptr);
    const QStringList& messages = dialogs_.notices;
    file->setDialogs(dialogs_);
    file->Txtfile->setText(
        write("three.sgf",
              "(;PB[一];B[aa])\n(;SZ[9]PB[二];B[cc];W[dd])\n(;GM[1]PB[三];B[ee]\n"
              "(;GM[1]PB[四];B[ff])"));
    file->CmdRead_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamesList() != nullptr; }));
    FomGames* list = gamesList();
    EXPECT_EQ(list->windowTitle(), QStringLiteral("棋譜の選択"));
    EXPECT_EQ(list->List->model()->rowCount(), 4);
    EXPECT_EQ(stoneAt(4, 4), kBlack + 1) << "nothing is read while the list is open";

    // Esc closes the list; the game on the board stays.
    QTest::keyClick(list->List, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamesList() == nullptr; }));
    EXPECT_EQ(state().MoveCount, 1);
    EXPECT_EQ(stoneAt(4, 4), kBlack + 1);

    // Enter on the second row opens it, on its own board size.
    file->CmdRead_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamesList() != nullptr; }));
    list = gamesList();
    list->List->setCurrentIndex(list->List->model()->index(1, 0));
    QTest::keyClick(list->List, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().MoveCount == 2; })) << state().MoveCount;
    EXPECT_EQ(state().BoardSize, 9);
    EXPECT_EQ(state().Info[InfoField::PB], "二");
    EXPECT_EQ(stoneAt(4, 4), kWhite + 1);
    EXPECT_TRUE(messages.isEmpty());

    // The broken third game is named in a message; the board keeps the second.
    file->CmdRead_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamesList() != nullptr; }));
    list = gamesList();
    list->List->setCurrentIndex(list->List->model()->index(2, 0));
    QTest::keyClick(list->List, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.size() == 1; })) << messages.size();
    EXPECT_NE(messages.front().indexOf(QStringLiteral("3局目")), -1);
    EXPECT_EQ(state().Info[InfoField::PB], "二");
}

TEST_F(RecordIntakeTest, ACollectionDroppedOrNamedOnTheCommandLineShowsItsList) {
    const QString path = write("two.sgf", "(;PB[一];B[aa])(;PB[二];B[bb];W[cc])");
    startWith(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamesList() != nullptr; }));
    FomGames* list = gamesList();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    const QRect second = list->List->visualRect(list->List->model()->index(1, 2));
    // A double-click as the system delivers it: press, release, double-click, release.
    QWidget* rows = list->List->viewport();
    QTest::mousePress(rows, Qt::LeftButton, {}, second.center());
    QTest::mouseRelease(rows, Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(rows, Qt::LeftButton, {}, second.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown().MoveCount == 2; })) << shown().MoveCount;
    EXPECT_EQ(shown().Info[InfoField::PB], "二");

    drop(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamesList() != nullptr; }));
    list = gamesList();
    QTest::keyClick(list->List, Qt::Key_Return);  // the first row is the current one
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown().MoveCount == 1; })) << shown().MoveCount;
    EXPECT_EQ(shown().Info[InfoField::PB], "一");
}

}  // namespace
}  // namespace kelmaz
