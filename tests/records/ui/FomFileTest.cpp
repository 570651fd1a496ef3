// The file window over a real engine and settings table: reading each format and replaying
// it, the messages of its failures, writing with the name rules and the overwrite question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "base/TextCodec.h"
#include "intake/RecordCheck.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"
#include "records/RecordMoves.h"
#include "records/SgfWriter.h"
#include "records/ui/FomFile.h"
#include "records/ui/FomGames.h"
#include "records/ui/FomJ.h"
#include "support/EngineOnFakeHost.h"
#include "support/FakeDialogs.h"
#include "support/SgfPropertyReader.h"
#include "support/TestSupport.h"
#include "support/TopLevel.h"
#include "view/BoardGeometry.h"

namespace kelmaz {
namespace {

class FileWindowTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    FileWindowTest() {
        window.setDialogs(dialogs);
        window.show();
        window.setDirectory(QString::fromStdString(dir.path().string()));
    }
    void read(const std::filesystem::path& path) {
        window.show();
        window.Txtfile->setText(QString::fromStdString(path.string()));
        QTest::mouseClick(window.CmdRead, Qt::LeftButton);
    }
    void write(const QString& name) {
        window.show();
        window.Txtfile->setText(name);
        QTest::mouseClick(window.CmdWrite, Qt::LeftButton);
    }
    std::filesystem::path handmade(const char* name) const {
        return test::dataFile(std::string("handmade/") + name);
    }

    test::TempDir dir;
    TreeLink tree;
    SettingsStore settings;
    FomJ info{state.Info,
              [this](int field, const std::string& text) { record.setGameInfoField(field, text); }};
    // The program's intake, with the game-information dialog following every read.
    FomFile window{state, host, settings, record, [this](std::vector<std::string> lines) {
                       const IntakeResult taken = takeRecordLines(
                           state, engine, record, options, tree, std::move(lines),
                           [this](const BoardSizeChoice& size) { applyBoardSize(size, options); });
                       if (taken.taken) info.refresh();
                       return taken;
                   }};
    test::FakeDialogs dialogs;
    QStringList& messages = dialogs.notices;
    QStringList& questions = dialogs.questions;
    bool& answer = dialogs.answer;
};

TEST_F(FileWindowTest, ReadingReplaysTheRecordAndStoresWhereItCameFrom) {
    read(handmade("sgf-cp932-trail-bytes.sgf"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(state.BoardGrid[16][4], kBlack + 1);
    EXPECT_EQ(state.BoardGrid[4][4], kWhite + 1);
    EXPECT_EQ(host.commentary, "最後");
    EXPECT_EQ(info.Text1(9)->text(), QStringLiteral("能勢"));
    EXPECT_EQ(settings.read("File", ""), handmade("sgf-cp932-trail-bytes.sgf").string());
    EXPECT_EQ(settings.read("Dir", ""), dir.path().string());
    EXPECT_EQ(settings.read("FileP", ""), "*.sgf");
    EXPECT_FALSE(host.running);
    EXPECT_TRUE(host.replayButtonEnabled);

    read(handmade("ugf-hdcap-lower-case-coordinate.ugf"));
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(info.Text1(20)->text(), QStringLiteral("6.5"));
    EXPECT_EQ(info.winnerLabel()->text(), QStringLiteral("黒"));
    EXPECT_EQ(info.detailLabel()->text(), QStringLiteral("中押"));
    EXPECT_EQ(state.SgfText, "");  // the earlier file's tree is not this record

    read(handmade("tki-comments-and-commas.txt"));
    EXPECT_EQ(state.MoveCount, 5);
    EXPECT_EQ(host.commentary, "表示のテスト");
}

// The game chosen from a collection is saved to a file of its own only when asked (saving it
// over the collection keeps every game: see the saved-record table).
TEST_F(FileWindowTest, AGameOfACollectionIsSavedAloneWhenAsked) {
    ShownCollection collection{[this] { return engine.recordClears(); }};
    window.setCollection(collection);
    const std::string games =
        "(;GM[1]PB[一];B[aa]XY[kept])\n(;GM[1]PB[二];B[bb])\nbetween\n(;GM[1]PB[三];B[cc])\n";
    const std::filesystem::path file = dir.file("three.sgf");
    test::writeBytes(file, games);
    read(file);
    FomGames* list = test::topLevel<FomGames>(true);
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list->List, Qt::Key_Down);
    QTest::keyClick(list->List, Qt::Key_Return);
    ASSERT_EQ(state.Info[InfoField::PB], "二");

    window.show();
    EXPECT_TRUE(window.CmdWriteGame->isVisible());
    window.Txtfile->setText(QString::fromStdString(dir.file("alone.sgf").string()));
    QTest::mouseClick(window.CmdWriteGame, Qt::LeftButton);
    auto alone = test::readSgfProperties(test::readBytes(dir.file("alone.sgf")));
    ASSERT_EQ(alone.size(), 1u);
    ASSERT_EQ(alone[0].size(), 2u);
    EXPECT_EQ(alone[0][1], test::readSgfProperties(games)[1][1]);

    // A cleared board holds a new record, which is saved alone.
    engine.gCls();
    engine.IshiUtu(5, 5);
    write(QString::fromStdString(file.string()));
    EXPECT_EQ(test::readSgfProperties(test::readBytes(file)).size(), 1u);
}

TEST_F(FileWindowTest, CtrlOReadsAndCtrlSWritesTheNamedFile) {
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Txtfile->setFocus();
    window.Txtfile->setText(QString::fromStdString(handmade("sgf-cp932-trail-bytes.sgf").string()));
    QTest::keyClick(window.Txtfile, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.MoveCount == 4; }, 5000));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();

    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Txtfile->setText(QString::fromStdString(dir.file("keys").string()));
    QTest::keyClick(window.Txtfile, Qt::Key_S, Qt::ControlModifier);
    const std::filesystem::path written = dir.file("keys.sgf");
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(written); }, 5000));
    EXPECT_NE(test::readBytes(written).find("B[pd]"), std::string::npos);
    EXPECT_EQ(window.CmdRead->toolTip(), QStringLiteral("読込 (Ctrl+O)"));
}

TEST_F(FileWindowTest, FailuresShowTheirMessages) {
    engine.IshiUtu(4, 4);
    read(dir.file("missing.sgf"));
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kReadErrorMessage.data())});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(state.MoveCount, 1) << "a file that cannot be read leaves the game on the board";

    messages.clear();
    test::writeBytes(dir.file("bad.txt"), "fmt=Tki\r\n[Data]\r\n3,3,0,\r\nx,4,0,\r\n");
    read(dir.file("bad.txt"));
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kFormatErrorMessage.data())});
    EXPECT_EQ(state.MoveCount, 1);  // kept, but not replayed
    EXPECT_EQ(state.BoardGrid[3][3], 0);

    messages.clear();
    state.MoveCount = 0;
    state.SgfText.clear();
    write(QString::fromStdString(dir.file("none").string()));
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kNoDataMessage.data())});
}

TEST_F(FileWindowTest, WritingNamesTheFileSgfAndAsksBeforeOverwriting) {
    read(handmade("tki-comments-and-commas.txt"));
    write(QString::fromStdString(dir.file("game").string()));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(window.isVisible());
    const std::string bytes = test::readBytes(dir.file("game.sgf"));
    EXPECT_NE(decodeRecordBytes(bytes).text.find("C[いい手]"), std::string::npos);

    answer = false;
    write(QString::fromStdString(dir.file("game.txt").string()));
    EXPECT_EQ(questions, QStringList{QString::fromUtf8(kOverwriteQuestion.data())});
    EXPECT_EQ(window.Txtfile->text(), QString::fromStdString(dir.path().string() + "/"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(test::readBytes(dir.file("game.sgf")), bytes);

    answer = true;
    host.commentary = "書き込む直前の解説";
    write(QString::fromStdString(dir.file("game.SGF").string()));
    EXPECT_EQ(questions.size(), 1);  // game.SGF is another file on Linux
    EXPECT_NE(
        decodeRecordBytes(test::readBytes(dir.file("game.SGF"))).text.find("書き込む直前の解説"),
        std::string::npos);
}

// Text typed, or read on a line the board does not show (the tree set aside: the whole game is
// written all the same), that holds what could not be decoded.
TEST_F(FileWindowTest, TextReadWithUndecodableBytesIsWrittenOnlyWhenTheUserSaysSo) {
    const std::filesystem::path variation = dir.file("variation.sgf");
    test::writeBytes(variation, "(;B[aa](;W[bb])(;W[cc]C[読めない\xEF\xBF\xBD文字]))");
    const struct {
        std::filesystem::path read;
        const char* typed;
    } rows[] = {{handmade("tki-comments-and-commas.txt"), "読めない\xEF\xBF\xBD文字"},
                {variation, ""}};
    const std::filesystem::path written = dir.file("game.sgf");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.read.string());
        read(row.read);
        record.holdTree(false);
        host.commentary = row.typed;
        questions.clear();
        std::filesystem::remove(written);
        answer = false;
        write(QString::fromStdString(written.string()));
        EXPECT_EQ(questions, QStringList{QString::fromUtf8(kUndecodedTextQuestion.data())});
        EXPECT_FALSE(std::filesystem::exists(written));
        answer = true;
        write(QString::fromStdString(written.string()));
        EXPECT_TRUE(std::filesystem::exists(written));
    }
}

TEST_F(FileWindowTest, FailedWriteKeepsTheOldFileAndSaysSo) {
    read(handmade("tki-comments-and-commas.txt"));
    std::filesystem::create_directory(dir.file("taken.sgf"));
    write(QString::fromStdString(dir.file("taken.sgf").string()));
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kWriteErrorMessage.data())});
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.sgf")));
}

TEST_F(FileWindowTest, RotatedWriteKeepsTheTypedCommentaryAndThePlace) {
    test::writeBytes(dir.file("five.txt"),
                     "fmt=Tki\n[Data]\n16,4,0,\n4,16,1,\n17,3,0,\n4,4,1,\n16,16,0,\n");
    read(dir.file("five.txt"));
    ASSERT_EQ(state.MoveCount, 5);
    engine.Gkaiten_Click();
    engine.goToMove("3");
    host.commentary = "TYPED";
    write(QString::fromStdString(dir.file("turned").string()));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(state.BoardRotated);
    EXPECT_EQ(state.MoveCount, 3) << "the view stays where the user was";
    EXPECT_EQ(state.MoveCol[3], 3);
    EXPECT_EQ(state.BoardGrid[3][17], kBlack + 1);
    EXPECT_EQ(host.commentary, "TYPED");

    // The same position written unturned gives the same file.
    engine.Gkaiten_Click();
    engine.goToMove("3");
    EXPECT_EQ(host.commentary, "TYPED") << "the typed text was kept with its move";
    write(QString::fromStdString(dir.file("plain").string()));
    const std::string plain = test::readBytes(dir.file("plain.sgf"));
    EXPECT_NE(plain.find(";B[qc]\r\nC[TYPED]\r\n;W[dd]\r\n;B[pp]\r\n)"), std::string::npos)
        << plain;
    EXPECT_EQ(test::readBytes(dir.file("turned.sgf")), plain);
}

TEST_F(FileWindowTest, ClickingAFileReadsItAndTheTypeFiltersTheList) {
    test::writeBytes(dir.file("a.txt"), "fmt=Tki\n[Data]\n16,4,0,\n4,4,1,\n");
    test::writeBytes(dir.file("b.sgf"), "(;B[aa])");
    window.setDirectory(QString::fromStdString(dir.path().string()));
    window.Combo1->setCurrentText(QStringLiteral("*.txt"));
    auto* model = static_cast<QFileSystemModel*>(window.File1->model());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return model->rowCount(window.File1->rootIndex()) == 1; }, 5000))
        << model->rowCount(window.File1->rootIndex());
    const QModelIndex first = model->index(0, 0, window.File1->rootIndex());
    EXPECT_EQ(model->fileName(first), QStringLiteral("a.txt"));
    window.File1->scrollTo(first);
    QTest::mouseClick(window.File1->viewport(), Qt::LeftButton, {},
                      window.File1->visualRect(first).center());
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_FALSE(window.isVisible());
}

// The file list and the folder list share the width: long volume or folder names in the
// folder column do not squeeze the file names.
TEST_F(FileWindowTest, TheFileListHasTheWidthBesideTheFolders) {
    window.Drive1->addItem(QStringLiteral("/media/a-volume-with-a-very-long-name-indeed/and-more"));
    window.hide();
    window.show();
    const int inner = window.File1->parentWidget()->width();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.File1->width() >= inner * 2 / 5; }, 2000))
        << window.File1->width() << " of " << inner;
    EXPECT_GE(window.File1->width(), window.Dir1->width() - 2);
    EXPECT_EQ(window.File1->x(), window.Dir1->x() + window.Dir1->width() + twipsToPixels(50))
        << "beside the folders";
}

// The file window and the game-information dialog are placed by their outer frames: at a top
// of 200 twips the title bar is on the screen, not above it.
TEST(DialogPlacement, TheFileWindowAndTheInformationDialogKeepTheirTitleBarsOnTheScreen) {
    GameState state;
    test::FakeBoardHost host;
    SettingsStore settings;
    RecordDocument document;
    DocumentRecord record{document, state};
    FomFile window{state, host, settings, record,
                   [](std::vector<std::string>) { return IntakeResult{}; }};
    FomJ info{state.Info,
              [&](int field, const std::string& text) { record.setGameInfoField(field, text); }};
    window.show();
    info.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&info));
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(twipsToPixels(1000), twipsToPixels(200)));
    EXPECT_EQ(info.frameGeometry().topLeft(), QPoint(twipsToPixels(500), twipsToPixels(100)));
    EXPECT_GE(window.frameGeometry().top(), 0);
}

// Without a stored folder (or with one that is gone) the window opens at the home folder with
// its files listed and its folder chosen in the folder list.
TEST(FileWindowFirstOpening, OpensAtTheHomeFolderWithItsFilesListed) {
    test::TempDir home;
    test::writeBytes(home.file("対局.sgf"), "(;B[aa])");
    test::writeBytes(home.file("note.txt"), "x");
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    GameState state;
    test::FakeBoardHost host;
    SettingsStore settings;
    settings.write("Dir", "/no/such/folder");
    RecordDocument document;
    DocumentRecord record{document, state};
    FomFile window{state, host, settings, record,
                   [](std::vector<std::string>) { return IntakeResult{}; }};
    window.show();
    const QString homePath = QString::fromStdString(home.path().string());
    EXPECT_EQ(window.directory(), homePath);
    EXPECT_EQ(window.Txtfile->text(), homePath + QLatin1Char('/'));
    QAbstractItemModel* files = window.File1->model();
    EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(window.File1->rootIndex()) == 1; }))
        << files->rowCount(window.File1->rootIndex());
    EXPECT_EQ(files->data(files->index(0, 0, window.File1->rootIndex())).toString(),
              QStringLiteral("対局.sgf"));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        auto* folders = static_cast<QFileSystemModel*>(window.Dir1->model());
        return folders->filePath(window.Dir1->currentIndex()) == homePath;
    }));
    // The folder is in sight: every folder above it is open.
    for (QModelIndex above = window.Dir1->currentIndex().parent();
         above.isValid() && above != window.Dir1->rootIndex(); above = above.parent())
        EXPECT_TRUE(window.Dir1->isExpanded(above)) << above.data().toString().toStdString();
    qputenv("HOME", previous);
}

TEST_F(FileWindowTest, ShowingAgainRestoresTheStoredFolderAndName) {
    settings.write("Dir", dir.path().string());
    settings.write("File", dir.file("x.sgf").string());
    settings.write("FileP", "*.ugf");
    window.hide();
    window.show();
    EXPECT_EQ(window.directory(), QString::fromStdString(dir.path().string()));
    EXPECT_EQ(window.Txtfile->text(), QString::fromStdString(dir.file("x.sgf").string()));
    EXPECT_EQ(window.Combo1->currentText(), QStringLiteral("*.ugf"));

    settings.write("Dir", "/no/such/folder");
    window.hide();
    window.show();
    EXPECT_EQ(window.directory(), QDir::homePath());
}

}  // namespace
}  // namespace kelmaz
