#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "engine/Engine.h"
#include "intake/RecordCheck.h"
#include "support/EngineOnFakeHost.h"
#include "support/FakeDialogs.h"
#include "support/SgfPropertyReader.h"
#include "support/TestSupport.h"
#include "tree/SgfReader.h"
#include "tree/ViewerSession.h"
#include "tree/ui/FomNode.h"
#include "tree/ui/PicNode.h"
#include "tree/ui/TreeFileFrame.h"

namespace kelmaz {
namespace {

// The tree window over a real engine; message boxes answer as the test says and are recorded.
class TreeWindowTest : public ::testing::Test, protected test::EngineOnFakeHost {
  protected:
    TreeWindowTest() {
        engine.setTree(&tree.link());
        tree.setDialogs(dialogs);
    }

    // Reads SGF lines as the file window does.
    void readFile(const std::vector<std::string>& lines) {
        ASSERT_TRUE(takeRecordLines(state, engine, record, options, tree.link(), lines,
                                    [](const BoardSizeChoice&) {})
                        .taken);
    }
    void clickNode(int b, int k) {
        const TreeModel& m = tree.session().model();
        tree.PicNode_MouseDown(m.nodeX(b, k), m.nodeY(b));
    }
    int stoneAt(int col, int row) const { return state.BoardGrid[col][row]; }

    SettingsStore settings;
    FomNode tree{state, engine, settings, record};
    test::FakeDialogs dialogs;
    bool& answer = dialogs.answer;
    // Each question and notice as "title|text".
    std::vector<QString> asked() const { return titled(dialogs.questionTitles, dialogs.questions); }
    std::vector<QString> told() const { return titled(dialogs.noticeTitles, dialogs.notices); }
    static std::vector<QString> titled(const QStringList& titles, const QStringList& texts) {
        std::vector<QString> entries;
        for (qsizetype i = 0; i < texts.size(); ++i) entries.push_back(titles[i] + "|" + texts[i]);
        return entries;
    }
};

TEST_F(TreeWindowTest, AFileTreeOpensTheWindowAndClicksShowPositionsAndComments) {
    readFile({"(;GM[1]PB[黒]C[game];B[pd]C[first];W[dp]", "(;B[pp]C[main])(;B[dd]C[side];W[cc]))"});
    EXPECT_TRUE(tree.isVisible());
    EXPECT_TRUE(tree.treeViewOn());
    EXPECT_EQ(tree.windowTitle(), QStringLiteral("トリー　ﾋﾞｭｱｰ"));
    ASSERT_EQ(tree.session().model().BranchCount, 2);
    // The root's comment, the introduction, is the node before the first move.
    EXPECT_EQ(tree.session().model().BranchNodeCount[1], 4);
    clickNode(1, 1);
    EXPECT_EQ(state.MoveCount, 0);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("game"));
    EXPECT_EQ(host.commentary, "game");

    clickNode(2, 1);  // the variation's first node: the third move of its line
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(4, 4), 1);  // black at dd
    EXPECT_EQ(stoneAt(16, 16), 0);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("side"));
    EXPECT_EQ(tree.Text1->text(), QStringLiteral("2"));

    clickNode(1, 3);
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(stoneAt(4, 4), 0);
    EXPECT_EQ(stoneAt(4, 16), 8);  // white at dp
}

// After a click on a variation the board's own commands move the tree's selection along that
// variation's line, so that both comment boxes show the same comment.
TEST_F(TreeWindowTest, TheSelectionFollowsTheBoardAlongTheLineShown) {
    readFile({"(;GM[1]C[intro];B[pd]C[first];W[dp](;B[pp]C[main])(;B[dd]C[side];W[cc]C[end]))"});
    clickNode(2, 1);
    ASSERT_EQ(state.MoveCount, 3);
    engine.oneForward();
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(tree.session().SelBranch, 2);
    EXPECT_EQ(tree.session().SelNodeNo, 2);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("end"));
    EXPECT_EQ(host.commentary, "end");
    engine.goToMove("1");
    EXPECT_EQ(tree.session().SelBranch, 1);
    EXPECT_EQ(tree.session().SelNodeNo, 2);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("first"));
    engine.firstMove();
    EXPECT_EQ(tree.session().SelNodeNo, 1);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("intro"));
    // Still the variation's line: the last move is the variation's, not the main line's.
    engine.lastMove();
    EXPECT_EQ(tree.session().SelBranch, 2);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("end"));
    // What was typed into the tree's box stays with its node when the board moves on.
    tree.TxtComment->setPlainText("edited");
    engine.tenBack();
    engine.firstMove();
    EXPECT_NE(state.SgfText.find("W[cc]C[edited]"), std::string::npos) << state.SgfText;
}

TEST_F(TreeWindowTest, AClickBesideTheNodesSelectsNothingAndKeepsTheBoard) {
    readFile({"(;B[aa];W[bb](;B[cc])(;B[dd]))"});
    clickNode(1, 2);
    const int before = state.MoveCount;
    tree.PicNode_MouseDown(350 * 2, 350 * 2 - 175);  // halfway between the rows, row 1.5 -> 2
    tree.PicNode_MouseDown(350 * 9, 350);            // past the end of the main line
    EXPECT_EQ(state.MoveCount, before);
    EXPECT_EQ(tree.Text1->text(), QStringLiteral("0"));
    EXPECT_EQ(tree.session().SelBranch, 1);
}

TEST_F(TreeWindowTest, ArrowKeysOnTheTreeActAsClicksOnTheNextNode) {
    readFile({"(;GM[1]PB[黒];B[pd]C[first];W[dp]", "(;B[pp]C[main])(;B[dd]C[side];W[cc]))"});
    QWidget* picture = tree.picNode;
    const auto press = [&](Qt::Key key) { QTest::keyClick(picture, key); };
    const auto selected = [&] {
        return std::pair(tree.Text1->text().toInt(), tree.Text2->text().toInt());
    };
    // The selection follows the board, which shows the last move of the main line.
    EXPECT_EQ(selected(), std::pair(1, 3));
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Left);  // the first node has nothing before it
    EXPECT_EQ(selected(), std::pair(1, 1));
    EXPECT_EQ(state.MoveCount, 1);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(selected(), std::pair(1, 3));
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(16, 16), 1);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("main"));

    press(Qt::Key_Down);  // the variation at the same move, as a click on it shows it
    EXPECT_EQ(selected(), std::pair(2, 1));
    EXPECT_EQ(state.MoveCount, 3);
    EXPECT_EQ(stoneAt(4, 4), 1);
    EXPECT_EQ(stoneAt(16, 16), 0);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("side"));
    press(Qt::Key_Right);
    press(Qt::Key_Right);  // past the end of the variation: stays
    EXPECT_EQ(selected(), std::pair(2, 2));
    EXPECT_EQ(state.MoveCount, 4);
    EXPECT_EQ(stoneAt(3, 3), 8);
    press(Qt::Key_Up);  // the main line has no fourth move
    press(Qt::Key_Down);
    EXPECT_EQ(selected(), std::pair(2, 2));

    press(Qt::Key_Left);
    press(Qt::Key_Left);  // back across the fork onto the main line
    EXPECT_EQ(selected(), std::pair(1, 2));
    EXPECT_EQ(state.MoveCount, 2);
    EXPECT_EQ(stoneAt(4, 4), 0);
    EXPECT_EQ(stoneAt(4, 16), 8);
    press(Qt::Key_Right);  // on along the main line
    EXPECT_EQ(selected(), std::pair(1, 3));
}

TEST_F(TreeWindowTest, ArrowKeysBringTheSelectedNodeIntoSight) {
    std::string text = "(;B[aa]";
    for (int i = 0; i < 60; ++i) text += "(;W[bb];B[cc])";
    text += ")";
    tree.resize(400, 500);
    tree.show();
    tree.putSGFdata(text);
    tree.cPoint(2, 1);
    for (int i = 0; i < 58; ++i) QTest::keyClick(tree.picNode, Qt::Key_Down);
    EXPECT_EQ(tree.session().SelBranch, 60);
    const int y = tree.session().model().nodeY(60);
    EXPECT_LE(tree.picNode->offsetY(), y);
    EXPECT_GE(tree.picNode->offsetY() + tree.picNode->height() * 15, y);
}

// Turning the tree view on used to take the board's moves 1..k only, without their comments,
// and as turned with the board: a save then lost the rest or mirrored every move.
TEST_F(TreeWindowTest, TurningTheTreeViewOnTakesTheWholeRecordAsPlayed) {
    engine.IshiUtu(1, 1);
    engine.IshiUtu(2, 2);
    engine.IshiUtu(3, 4);
    engine.commentaryTyped("third");
    engine.Itemodosi();
    engine.Gkaiten_Click();
    tree.toggleTreeView();
    EXPECT_EQ(state.SgfText, "(;;B[aa];W[bb];B[cd]C[third])");
    clickNode(1, 3);
    EXPECT_EQ(stoneAt(17, 16), kBlack + 1) << "the board stays turned";
}

TEST_F(TreeWindowTest, RecordingABranchOnTheBoard) {
    engine.IshiUtu(1, 1);
    engine.IshiUtu(2, 2);
    engine.IshiUtu(3, 3);
    tree.toggleTreeView();
    ASSERT_TRUE(tree.isVisible());
    EXPECT_EQ(state.SgfText, "(;;B[aa];W[bb];B[cc])");
    clickNode(1, 3);
    tree.CmdBstart->click();
    EXPECT_TRUE(state.BranchInputMode);
    EXPECT_FALSE(tree.CmdBstart->isEnabled());
    EXPECT_FALSE(tree.TxtComment->isEnabled());
    EXPECT_EQ(stoneAt(3, 3), 0);  // the board is back before the selected node
    engine.IshiUtu(4, 4);
    EXPECT_TRUE(asked().empty());  // no question while a branch is recorded
    EXPECT_TRUE(tree.TxtComment->isEnabled());
    tree.TxtComment->setPlainText("x");
    tree.CmdBend->click();
    EXPECT_FALSE(state.BranchInputMode);
    EXPECT_EQ(state.SgfText, "(;;B[aa];W[bb](;B[cc])(;B[dd]C[x]))");
    EXPECT_EQ(tree.txtsgf->text(), QString::fromStdString(state.SgfText));
    EXPECT_EQ(tree.Text1->text(), QStringLiteral("2"));
    EXPECT_EQ(tree.picNode->outlineColour(2, 1), QColor(255, 0, 0));
}

// A branch recorded after the sequence viewer chose a variation used to hang on the main line.
TEST_F(TreeWindowTest, ABranchRecordedOnTheViewersVariationHangsOnThatVariation) {
    ViewerSession viewer(state, engine, host);
    engine.setViewer(&viewer);
    readFile({"(;B[aa];W[bb](;B[cc];W[dd])(;B[ee];W[ff]))"});
    viewer.recordRead();
    viewer.chooseBranch(3);  // the variation B[ee]
    engine.goToMove("4");    // its W[ff]
    EXPECT_EQ(tree.Text1->text(), QStringLiteral("2")) << "the tree shows the viewer's line";
    tree.CmdBstart->click();
    engine.IshiUtu(7, 7);  // W[gg] in place of W[ff]
    tree.CmdBend->click();
    engine.setViewer(nullptr);
    record.prepareForSave(host.commentary);  // what a save writes
    const GameTree& game = record.document().currentGame();
    const auto played = [&game](const char* point) {
        return std::find_if(game.nodes.begin(), game.nodes.end(),
                            [point](const SgfNode& n) { return n.text("W") == point; });
    };
    ASSERT_NE(played("gg"), game.nodes.end());
    EXPECT_EQ(game.nodes[played("gg")->parent].text("B"), "ee");
    EXPECT_NE(played("ff"), game.nodes.end());
}

TEST_F(TreeWindowTest, AnotherTreeEndsTheRecordingOfABranch) {
    auto startRecording = [&] {
        clickNode(1, 2);
        tree.CmdBstart->click();
        ASSERT_TRUE(state.BranchInputMode);
        engine.IshiUtu(5, 5);
    };
    auto expectIdle = [&] {
        EXPECT_FALSE(state.BranchInputMode);
        EXPECT_TRUE(state.BranchComments.empty());
        EXPECT_FALSE(tree.CmdBend->isEnabled());
        EXPECT_TRUE(tree.CmdBstart->isEnabled());
        EXPECT_TRUE(tree.TxtComment->isEnabled());
    };
    readFile({"(;B[aa];W[bb];B[cc])"});
    startRecording();
    readFile({"(;B[pp];W[qq];B[rr])"});  // a file read
    expectIdle();
    tree.CmdBend_Click();
    EXPECT_EQ(state.SgfText, "(;B[pp];W[qq];B[rr])");
    EXPECT_EQ(tree.session().model().BranchCount, 1);

    startRecording();
    tree.LstSgfSample_Click(0);  // a sample
    expectIdle();
    readFile({"(;B[aa];W[bb];B[cc])"});
    startRecording();
    tree.putSGFdata("(;B[dd];W[ee])");  // any other text
    expectIdle();
    tree.CmdBend_Click();
    EXPECT_EQ(state.SgfText, "(;B[dd];W[ee])");
    readFile({"(;B[aa];W[bb];B[cc])"});
    startRecording();
    tree.close();  // no tree at all
    expectIdle();
}

TEST_F(TreeWindowTest, TypedCommentsAreKeptWhenTheSelectionMoves) {
    readFile({"(;B[aa]C[one];W[bb];B[cc]C[three])"});
    clickNode(1, 2);
    tree.TxtComment->setPlainText("typed");
    tree.link().showMove(3);  // a replay step
    EXPECT_EQ(state.SgfText, "(;B[aa]C[one];W[bb]C[typed];B[cc]C[three])");
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("three"));
    tree.TxtComment->setPlainText("jumped");
    tree.Text1->setText("1");
    tree.Text2->setText("1");
    tree.Command2->click();
    EXPECT_EQ(state.SgfText, "(;B[aa]C[one];W[bb]C[typed];B[cc]C[jumped])");

    // A recorded branch and an inserted one start without a comment of the node left behind.
    clickNode(1, 3);
    tree.CmdBstart->click();
    engine.IshiUtu(4, 4);
    engine.IshiUtu(5, 5);
    tree.TxtComment->setPlainText("last");
    tree.CmdBend->click();
    EXPECT_EQ(state.SgfText, "(;B[aa]C[one];W[bb]C[typed](;B[cc]C[jumped])(;B[dd];W[ee]C[last]))");
    EXPECT_TRUE(tree.TxtComment->toPlainText().isEmpty());
    clickNode(1, 2);
    tree.Command1->click();
    EXPECT_TRUE(tree.TxtComment->toPlainText().isEmpty());
    EXPECT_EQ(state.SgfText.find("C[one]"), state.SgfText.rfind("C[one]"));
}

TEST_F(TreeWindowTest, TheTreeStaysUncoveredAndEveryCaptionWholeAtTheNarrowestWidth) {
    readFile({"(;B[pd];W[dp](;B[pp])(;B[dd]))"});
    tree.resize(tree.minimumWidth(), tree.height());
    QCoreApplication::processEvents();
    EXPECT_FALSE(tree.LstSgfSample->isVisible());
    EXPECT_FALSE(tree.txtsgf->isVisible());
    for (QPushButton* b : tree.FrmCont->findChildren<QPushButton*>()) {
        EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text()))
            << b->text().toStdString();
        EXPECT_LE(b->geometry().bottom(), tree.FrmCont->height()) << b->text().toStdString();
    }
    EXPECT_LE(tree.FrmCont->geometry().bottom(), tree.height());
    tree.Command4->click();  // "書出" shows the text it rebuilt
    EXPECT_TRUE(tree.txtsgf->isVisible());
    tree.CmdSamples->click();
    EXPECT_FALSE(tree.LstSgfSample->isVisible());
}

TEST_F(TreeWindowTest, PlayingOnTheBoardAsksBeforeTheTreeIsLost) {
    engine.IshiUtu(1, 1);
    tree.toggleTreeView();
    answer = false;
    engine.IshiUtu(5, 5);
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_EQ(asked()[0], QStringLiteral("警告|本譜以外のデータｰは失われます。よろしいですか？"));
    EXPECT_EQ(stoneAt(5, 5), 0);
    answer = true;
    QSignalSpy spy(&tree, &FomNode::treeViewChanged);
    engine.IshiUtu(5, 5);
    EXPECT_EQ(stoneAt(5, 5), 1 + kWhite);
    EXPECT_FALSE(tree.isVisible());
    EXPECT_TRUE(state.SgfText.empty());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_FALSE(spy.at(0).at(0).toBool());
}

TEST_F(TreeWindowTest, DeletingRefusesTheMainLineAndAsksForOthers) {
    readFile({"(;B[aa](;W[bb])(;W[cc]C[gone])(;W[dd]C[kept]))"});
    tree.Command3->click();
    ASSERT_EQ(told().size(), 1u);
    EXPECT_TRUE(told()[0].endsWith(QStringLiteral("本手順は削除できません。")));
    clickNode(2, 1);
    answer = false;
    tree.Command3->click();
    EXPECT_EQ(tree.session().model().BranchCount, 3);
    answer = true;
    tree.Command3->click();
    ASSERT_EQ(asked().size(), 2u);
    EXPECT_TRUE(asked()[1].endsWith(QStringLiteral("指定された分岐を削除します。")));
    EXPECT_EQ(state.SgfText, "(;B[aa](;W[bb])(;W[dd]C[kept]))");
    EXPECT_EQ(tree.picNode->outlineColour(2, 1), QColor(255, 0, 0));
    // Nothing selected now: the editing commands do nothing.
    tree.Command1->click();
    tree.Command3->click();
    EXPECT_EQ(state.SgfText, "(;B[aa](;W[bb])(;W[dd]C[kept]))");
}

TEST_F(TreeWindowTest, InsertingAnEmptyBranchBelowTheMainLine) {
    tree.LstSgfSample_Click(1);
    tree.cPoint(1, 2);
    tree.Command1->click();
    const TreeModel& m = tree.session().model();
    const int b = tree.Text1->text().toInt();
    EXPECT_EQ(m.BranchText[b], ";;;;");
    EXPECT_EQ(m.BranchStart[b], 2);
    EXPECT_GT(m.BranchRow[b], 1);
}

TEST_F(TreeWindowTest, CommentBoxWritesBackIntoTheSelectedNode) {
    readFile({"(;GM[1]PB[x];B[aa]C[old];W[bb];B[cc])"});
    clickNode(1, 2);
    tree.TxtComment->setPlainText("new ] text");
    tree.TxtComment_Validate();
    EXPECT_EQ(state.SgfText, "(;GM[1]PB[x];B[aa]C[old];W[bb]C[new \\] text];B[cc])");
    EXPECT_EQ(tree.picNode->outlineColour(1, 2), QColor(255, 0, 0));
    EXPECT_EQ(state.MoveComment[2], "new ] text");
    clickNode(1, 1);
    EXPECT_EQ(tree.TxtComment->toPlainText(), QStringLiteral("old"));
    tree.TxtComment->setPlainText("  ");
    tree.TxtComment_Validate();
    EXPECT_EQ(state.SgfText, "(;GM[1]PB[x];B[aa];W[bb]C[new \\] text];B[cc])");
}

TEST_F(TreeWindowTest, SyntaxFaults) {
    answer = false;
    EXPECT_FALSE(tree.putSGFdata("(;B[aa]())"));
    ASSERT_EQ(asked().size(), 1u);
    EXPECT_EQ(asked()[0], QStringLiteral("SGF構文エラー|ノードが有りません。 このまま続けますか?"));
    EXPECT_FALSE(tree.isVisible());
    tree.LstSgfSample_Click(0);  // samples load without a question
    EXPECT_EQ(asked().size(), 1u);
    EXPECT_EQ(tree.session().model().BranchCount, 2);
}

// Counting along a long line: every fifth and every tenth node stands out from the rest (and
// from each other), and a line longer than the window scrolls.
TEST_F(TreeWindowTest, EveryFifthAndTenthNodeStandsOutAndALongLineScrolls) {
    tree.resize(400, 500);
    tree.LstSgfSample_Click(17);  // one branch of more than 300 nodes
    // The colours follow the numbers shown: the introduction is 0, so node k + 1 shows k.
    const auto colour = [this](int shown) { return tree.picNode->outlineColour(1, shown + 1); };
    EXPECT_NE(colour(5), colour(3));
    EXPECT_NE(colour(10), colour(3));
    EXPECT_NE(colour(10), colour(5));
    EXPECT_EQ(colour(15), colour(5));
    EXPECT_EQ(colour(20), colour(10));
    EXPECT_EQ(colour(13), colour(3));
    EXPECT_GT(tree.HScroll1->maximum(), 0);
}

TEST_F(TreeWindowTest, DeepTreesScrollToTheirLastRow) {
    std::string text = "(;B[aa]";
    for (int i = 0; i < 200; ++i) text += "(;W[bb];B[cc])";
    text += ")";
    tree.resize(400, 500);
    tree.show();
    tree.putSGFdata(text);
    tree.cPoint(200, 2);
    const int bottom = tree.picNode->offsetY() + tree.picNode->height() * 15;
    EXPECT_GE(bottom, tree.session().model().nodeY(200));
    EXPECT_LE(tree.picNode->offsetY(), tree.session().model().nodeY(200));

    // A click that misses every node does not stop the view following later selections.
    tree.cPoint(1, 1);
    EXPECT_EQ(tree.picNode->offsetY(), 0);
    tree.PicNode_MouseDown(350 * 9, 350);
    tree.cPoint(200, 2);
    EXPECT_GT(tree.picNode->offsetY(), 0);
    EXPECT_LE(tree.picNode->offsetY(), tree.session().model().nodeY(200));
}

TEST_F(TreeWindowTest, ClosingHidesKeepsTheTreeAndTheGeometry) {
    engine.IshiUtu(1, 1);
    tree.toggleTreeView();
    tree.resize(300, 420);
    tree.close();
    EXPECT_FALSE(tree.isVisible());
    EXPECT_FALSE(tree.treeViewOn());
    EXPECT_FALSE(state.SgfText.empty());
    EXPECT_EQ(settings.read("nHeight", ""), "6300");
    EXPECT_EQ(settings.read("nWidth", ""), "4500");
    EXPECT_FALSE(settings.read("nLeft", "").empty());
}

TEST_F(TreeWindowTest, FileFrameWritesAndReadsTheTree) {
    readFile({"(;GM[1]PW[白];B[aa](;W[bb])(;W[cc]))"});
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("tree.sgf").string());
    tree.ShowFileFrame();
    EXPECT_TRUE(tree.FrmFile->isVisible());
    tree.FrmFile->Text3->setText(path);
    tree.FrmFile->Command6->click();
    EXPECT_TRUE(told().empty());
    const std::string written = test::readBytes(dir.file("tree.sgf"));
    EXPECT_NE(written.find("PW[白]"), std::string::npos);
    // Both variations, each on its own line from the first move.
    const test::SgfGameProperties game = test::readSgfProperties(written).at(0);
    const test::SgfGameProperties expected =
        test::readSgfProperties("(;;B[aa](;W[bb])(;W[cc]))")[0];
    EXPECT_EQ(std::vector(game.begin() + 1, game.end()),
              std::vector(expected.begin() + 1, expected.end()));
    tree.LstSgfSample_Click(0);
    tree.FrmFile->Command5->click();
    EXPECT_EQ(tree.session().model().BranchCount, 2);
    // The file read is the record, root properties and all.
    EXPECT_NE(state.SgfText.find("PW[白]"), std::string::npos);
    EXPECT_EQ(state.Info[InfoField::PW], "白");
    EXPECT_TRUE(state.SgfText.ends_with(";B[aa](;W[bb])(;W[cc]))")) << state.SgfText;
    tree.FrmFile->Text3->setText(QString::fromStdString((dir.path() / "none" / "x.sgf").string()));
    tree.FrmFile->Command6->click();
    ASSERT_EQ(told().size(), 1u);
    EXPECT_TRUE(told()[0].endsWith(QStringLiteral("ファイルの書き込みでエラーが発生しました。")));
}

}  // namespace
}  // namespace kelmaz
