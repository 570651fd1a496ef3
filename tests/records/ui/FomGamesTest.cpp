// The list of a collection's games: its columns, a row per game as the index found it, a game
// that cannot be read marked in its row, and Esc or Enter as the only ways out.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "records/ui/FomGames.h"

namespace kelmaz {
namespace {

std::shared_ptr<const RecordCollection> collectionOf(const std::string& text) {
    return std::make_shared<const RecordCollection>(recordCollection(text));
}

QString cell(const FomGames& list, int row, int column, int role = Qt::DisplayRole) {
    const QAbstractItemModel* model = list.List->model();
    return model->data(model->index(row, column), role).toString();
}

TEST(GamesList, OneRowPerGameUnderItsColumns) {
    FomGames list(
        collectionOf("(;PB[山田]PW[田中]DT[2024-05-01]RE[B+R]EV[名人戦\n第一局];B[aa];W[bb])"
                     "(;GM[1]PB[壊れ];B[aa]\n(;GM[1]PB[三];B[cc])"));
    EXPECT_EQ(list.windowTitle(), QStringLiteral("棋譜の選択"));
    const QAbstractItemModel* model = list.List->model();
    QStringList captions;
    for (int c = 0; c < model->columnCount(); ++c)
        captions << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"番号", "黒", "白", "日付", "結果", "棋戦", "手数"}));
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(cell(list, 0, 0), "1");
    EXPECT_EQ(cell(list, 0, 1), QStringLiteral("山田"));
    EXPECT_EQ(cell(list, 0, 2), QStringLiteral("田中"));
    EXPECT_EQ(cell(list, 0, 3), "2024-05-01");
    EXPECT_EQ(cell(list, 0, 4), "B+R");
    EXPECT_EQ(cell(list, 0, 5), QStringLiteral("名人戦 第一局")) << "a line break is a blank";
    EXPECT_EQ(cell(list, 0, 6), "2");
    EXPECT_EQ(cell(list, 1, 6), QStringLiteral("読めません"));
    EXPECT_NE(cell(list, 1, 0, Qt::ToolTipRole).indexOf(QStringLiteral("2局目")), -1);
    EXPECT_TRUE(cell(list, 2, 0, Qt::ToolTipRole).isEmpty());
    EXPECT_EQ(cell(list, 2, 0), "3");
}

TEST(GamesList, EscClosesWithoutAGameEnterOpensTheCurrentOne) {
    const auto games = collectionOf("(;B[aa])(;B[bb])(;B[cc])");
    {
        FomGames list(games);
        QSignalSpy chosen(&list, &FomGames::gameChosen);
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        QTest::keyClick(list.List, Qt::Key_Escape);
        EXPECT_FALSE(list.isVisible());
        EXPECT_EQ(chosen.count(), 0);
        EXPECT_EQ(list.chosenGame(), 0u);
    }
    FomGames list(games);
    QSignalSpy chosen(&list, &FomGames::gameChosen);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QTest::keyClick(list.List, Qt::Key_Down);
    QTest::keyClick(list.List, Qt::Key_Down);
    QTest::keyClick(list.List, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.front().front().value<std::size_t>(), 3u);
    EXPECT_EQ(list.chosenGame(), 3u);
    EXPECT_FALSE(list.isVisible());
    QTest::keyClick(list.List, Qt::Key_Return);
    EXPECT_EQ(chosen.count(), 1) << "a game is opened once";
}

}  // namespace
}  // namespace kelmaz
