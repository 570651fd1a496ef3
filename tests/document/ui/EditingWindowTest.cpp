// The edit palette and the problem mode driven through the running program: the palette's
// clicks reach the record that is saved, and trying a problem collection answers from it
// without changing a byte of it.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "document/ui/EditPalette.h"
#include "document/ui/ProblemWindow.h"
#include "records/ui/FomFile.h"
#include "records/ui/FomGames.h"
#include "support/ProgramFixture.h"
#include "support/SgfPropertyReader.h"
#include "support/TopLevel.h"

namespace kelmaz {
namespace {

class EditingWindowTest : public test::ProgramFixture {
  protected:
    void trigger(const char* item) { main().findChild<QAction*>(item)->trigger(); }
    template <typename T>
    void clickButton(QWidget& window, const QString& text) {
        for (T* button : window.findChildren<T*>())
            if (button->text() == text) return QTest::mouseClick(button, Qt::LeftButton);
        ADD_FAILURE() << text.toStdString();
    }
    // Saves the record through the file window's 書込 and gives back the file's bytes.
    std::string save(const std::filesystem::path& path) {
        program().showFileWindow();
        FomFile* file = test::topLevel<FomFile>();
        file->setDialogs(dialogs_);
        file->Txtfile->setText(QString::fromStdString(path.string()));
        QTest::mouseClick(file->CmdWrite, Qt::LeftButton);
        EXPECT_TRUE(dialogs_.notices.isEmpty()) << dialogs_.notices.join("|").toStdString();
        return test::readBytes(path);
    }
};

TEST_F(EditingWindowTest, PaletteClicksAreSavedAsMarksLabelsAndSetupAtTheNodeShown) {
    start();
    trigger("mEdit");
    EditPalette& palette = *main().findChild<EditPalette*>();
    clickButton<QToolButton>(palette, QStringLiteral("△"));
    clickPoint(3, 3);
    clickButton<QToolButton>(palette, QStringLiteral("文字"));
    clickPoint(4, 4);
    clickButton<QToolButton>(palette, QStringLiteral("白石"));
    clickPoint(5, 5);
    EXPECT_EQ(stoneAt(5, 5), kWhite + 1);
    // Esc gives the clicks back to play.
    QApplication::setActiveWindow(&main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    QTest::keyClick(&main(), Qt::Key_Escape);
    clickPoint(6, 6);
    EXPECT_NE(stoneAt(6, 6), 0);
    // Stepping back moves the board alone; the next tool click is on the position it shows.
    QTest::keyClick(&main(), Qt::Key_Left);
    clickButton<QToolButton>(palette, QStringLiteral("○"));
    clickPoint(7, 7);
    EXPECT_EQ(state().MoveCount, 0);

    const std::string text = save(dir_.file("edited.sgf"));
    const auto saved = test::readSgfProperties(text);
    SCOPED_TRACE(text);
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].size(), 2u);
    const auto& root = saved[0][0].properties;
    const auto has = [&root](const std::string& name, const std::string& value) {
        return std::find(root.begin(), root.end(),
                         std::pair{name, std::vector<std::string>{value}}) != root.end();
    };
    EXPECT_TRUE(has("TR", "cc"));
    EXPECT_TRUE(has("LB", "dd:A"));
    EXPECT_TRUE(has("AW", "ee"));
    EXPECT_TRUE(has("CR", "gg"));
    EXPECT_EQ(saved[0][1].properties.front().first, "B");
}

TEST_F(EditingWindowTest, AProblemCollectionIsTriedRightAndWrongAndSavedUnchanged) {
    start();
    const std::filesystem::path copy = dir_.file("problems.sgf");
    const std::string original =
        test::readBytes(test::dataFile("handmade/sgf-problem-collection.sgf"));
    test::writeBytes(copy, original);
    program().readRecordFile(QString::fromStdString(copy.string()));
    FomGames* list = test::topLevel<FomGames>(true);
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list->List, Qt::Key_Return);  // the first problem
    // Saving names the program in the first game, so the oracle is a save before trying.
    const std::string before = save(dir_.file("before.sgf"));
    trigger("mProblem");
    ProblemWindow& problems = *main().findChild<ProblemWindow*>();
    ASSERT_TRUE(problems.isVisible());
    clickPoint(2, 3);  // takes the white stone
    EXPECT_EQ(problems.statusText(), QStringLiteral("正解"));
    EXPECT_EQ(stoneAt(2, 2), 0);

    clickButton<QPushButton>(problems, QStringLiteral("もう一度"));
    EXPECT_EQ(stoneAt(2, 2), kWhite + 1);
    clickPoint(9, 9);
    EXPECT_EQ(problems.statusText(), QStringLiteral("不正解"));
    EXPECT_EQ(stoneAt(9, 9), 0);
    clickPoint(3, 3);  // answered by the connection the record marks as wrong
    EXPECT_EQ(problems.statusText(), QStringLiteral("不正解"));
    EXPECT_EQ(stoneAt(2, 3), kWhite + 1);

    EXPECT_EQ(save(dir_.file("after.sgf")), before);

    // The list read one game; 次の問題 reads the file's next ones, and after the last says so.
    clickButton<QPushButton>(problems, QStringLiteral("次の問題"));
    EXPECT_EQ(stoneAt(3, 2), kBlack + 1);
    EXPECT_EQ(problems.statusText(), QStringLiteral("黒番です"));
    clickButton<QPushButton>(problems, QStringLiteral("次の問題"));
    EXPECT_EQ(problems.statusText(), QStringLiteral("白番です"));
    clickPoint(1, 2);
    EXPECT_EQ(problems.statusText(), QStringLiteral("正解"));
    clickButton<QPushButton>(problems, QStringLiteral("次の問題"));
    EXPECT_EQ(dialogs_.notices, QStringList{QString::fromUtf8(kLastProblemMessage.data())});
}

}  // namespace
}  // namespace kelmaz
