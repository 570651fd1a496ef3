// What a saved file holds after what a user did through the program's windows, where two
// windows meet on one record: read back by the program's own reader and by the test's
// independent one, node by node and property by property, it is exactly the record the user
// made, every game, variation and property of what was read included.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "base/SgfEscape.h"
#include "document/SgfDocumentText.h"
#include "document/ui/EditPalette.h"
#include "engine/Engine.h"
#include "net/ui/FomSock.h"
#include "records/ui/FomFile.h"
#include "records/ui/FomGames.h"
#include "records/ui/FomJ.h"
#include "records/ui/fomSgf.h"
#include "support/LoopbackPort.h"
#include "support/ProgramFixture.h"
#include "support/SgfPropertyReader.h"
#include "support/TopLevel.h"
#include "support/WaitFor.h"
#include "tree/ui/FomNode.h"

namespace kelmaz {
namespace {

using Games = std::vector<test::SgfGameProperties>;

// The program's own reading of SGF text in the independent reader's terms: nodes in file
// order with their depth, values unescaped.
Games readByTheProgram(std::string_view text) {
    Games games;
    for (const GameTree& tree : readSgfGames(text).games) {
        test::SgfGameProperties& game = games.emplace_back();
        for (const SgfNode& node : tree.nodes) {
            const int depth = node.parent < 0 ? 1 : game[node.parent].depth + 1;
            test::SgfNodeProperties& read = game.emplace_back(test::SgfNodeProperties{depth, {}});
            for (const SgfProperty& p : node.properties) {
                auto& values = read.properties.emplace_back(p.name, std::vector<std::string>{});
                for (const std::string& v : p.values) values.second.push_back(unescapeSgfValue(v));
            }
        }
    }
    return games;
}

// One line per node, "game.depth ID[value]...", its properties in any order and without what
// the writer adds to a root (its name, the charset): equal texts hold the same record.
std::string outline(const Games& games) {
    std::string out;
    for (std::size_t g = 0; g < games.size(); ++g)
        for (test::SgfNodeProperties node : games[g]) {
            std::erase_if(node.properties,
                          [](const auto& p) { return p.first == "CA" || p.first == "AP"; });
            std::sort(node.properties.begin(), node.properties.end());
            out += std::to_string(g + 1) + "." + std::to_string(node.depth) + " ";
            for (const auto& [id, values] : node.properties) {
                out += id;
                for (const std::string& v : values) out += "[" + v + "]";
            }
            out += "\n";
        }
    return out;
}

class SavedRecordTest : public test::ProgramFixture {
  public:
    using ProgramFixture::clickPoint;
    using ProgramFixture::program;
    using ProgramFixture::state;
    using ProgramFixture::stoneAt;
    FomFile& fileWindow() {
        program().showFileWindow();
        FomFile* file = test::topLevel<FomFile>();
        file->setDialogs(dialogs_);
        return *file;
    }
    void read(const std::string& text) {
        test::writeBytes(file(), text);
        FomFile& window = fileWindow();
        window.Txtfile->setText(QString::fromStdString(file().string()));
        window.CmdRead_Click();
    }
    // Saved over the file that was read, with the file window.
    std::string save() {
        FomFile& window = fileWindow();
        window.Txtfile->setText(QString::fromStdString(file().string()));
        window.CmdWrite_Click();
        return test::readBytes(file());
    }
    std::filesystem::path file() const { return dir_.file("record.sgf"); }
    void menu(const char* action) { main().findChild<QAction*>(action)->trigger(); }
    // The edit palette's tool `text` taken in hand.
    void tool(const QString& text) {
        for (QToolButton* button : main().findChild<EditPalette*>()->findChildren<QToolButton*>())
            if (button->text() == text) return QTest::mouseClick(button, Qt::LeftButton);
        ADD_FAILURE() << text.toStdString();
    }
    void type(const QString& text) {
        QTest::keyClicks(main().findChild<QPlainTextEdit*>("TxtKaisetu"), text);
    }
    // Game `row` (from 0) of the list a collection brings up.
    void chooseGame(int row) {
        FomGames* list = test::topLevel<FomGames>(true);
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < row; ++i) QTest::keyClick(list->List, Qt::Key_Down);
        QTest::keyClick(list->List, Qt::Key_Return);
    }
    void typeGameInfo(InfoField field, const QString& text) {
        menu("Mtj");
        QLineEdit* box = test::topLevel<FomJ>()->Text1(static_cast<int>(field));
        box->selectAll();
        QInputMethodEvent typed;  // Japanese arrives from the input method
        typed.setCommitString(text);
        QApplication::sendEvent(box, &typed);
    }
    // A second copy of the program on this computer, connected to this one in a match.
    void connectPeer(Program& peer) {
        peer.StartupMain();
        test::LoopbackPort port, peerPort;
        program().settings().write("Port", std::to_string(port.number()));
        peer.settings().write("Port", std::to_string(peerPort.number()));
        peer.settings().write("Tcpip", "127.0.0.1:" + std::to_string(port.number()));
        port.release();
        peerPort.release();
        program().showNetWindow();
        peer.showNetWindow();
        program().fomSock()->setDialogs(dialogs_);
        peer.fomSock()->setDialogs(dialogs_);
        peer.fomSock()->findChild<QPushButton*>("Cmdconnect")->click();
        ASSERT_TRUE(
            test::waitFor([&] { return state().NetMatchActive && peer.state().NetMatchActive; }));
    }
    // Until both records hold `moves` moves.
    void agree(Program& peer, int moves) {
        ASSERT_TRUE(test::waitFor([&] {
            return state().lastMoveInRecord() == moves && peer.state().lastMoveInRecord() == moves;
        }));
    }
};

struct SavedCase {
    const char* fault;
    const char* read;  // the file read first (none when empty)
    std::function<void(SavedRecordTest&)> act;
    const char* saved;  // what the file holds afterwards
};

TEST_F(SavedRecordTest, TheSavedFileIsTheRecordTheUserMade) {
    // A property the program does not know, setup stones, comments, markup and a variation.
    constexpr const char* kTree =
        "(;GM[1]FF[4]SZ[9]XY[kept]AB[aa][ba]AW[ab]C[問題];B[ee]C[一](;W[dd]LB[dd:A];B[ff])"
        "(;W[fd]TR[fd]))";
    const SavedCase cases[] = {
        {"a game chosen from a collection and saved replaced the whole collection",
         "(;GM[1]PB[一];B[aa]XY[kept])\n(;GM[1]PB[二];B[bb])\nbetween\n(;GM[1]PB[三];B[cc])\n",
         [](SavedRecordTest& t) {
             t.chooseGame(1);
             t.clickPoint(3, 3);
         },
         "(;GM[1]PB[一];B[aa]XY[kept])(;GM[1]PB[二]FF[4]SZ[19];B[bb];W[cc])(;GM[1]PB[三];B[cc])"},
        {"game information edited over the file's own root was dropped",
         "(;GM[1]FF[4]SZ[9]PB[黒]EV[古い会]XY[kept];B[ee])",
         [](SavedRecordTest& t) {
             t.typeGameInfo(InfoField::PB, "白石");
             t.typeGameInfo(InfoField::EV, "新しい会");
             t.typeGameInfo(InfoField::PC, "東京");
         },
         "(;GM[1]FF[4]SZ[9]PB[白石]EV[新しい会]PC[東京]XY[kept];B[ee])"},
        {"turning the tree view on at a move kept the moves up to it only", "",
         [](SavedRecordTest& t) {
             t.clickPoint(1, 1);
             t.type("first");
             t.clickPoint(2, 2);
             t.clickPoint(3, 4);
             t.type("third");
             t.menu("mitte");
             t.menu("mitte");
             t.menu("mSGF");
         },
         "(;FF[4]GM[1]SZ[19];B[aa]C[first];W[bb];B[cd]C[third])"},
        {"turning the tree view on with the board turned mirrored every move", "",
         [](SavedRecordTest& t) {
             t.clickPoint(1, 1);
             t.clickPoint(2, 3);
             t.menu("gkaiten");
             t.menu("mSGF");
             t.menu("gkaiten");
         },
         "(;FF[4]GM[1]SZ[19];B[aa];W[bc])"},
        {"closing the tree window emptied the tree text", kTree,
         [](SavedRecordTest& t) { t.menu("mSGF"); }, kTree},
        {"text typed in the board's commentary box was not taken into the tree", kTree,
         [](SavedRecordTest& t) { t.type("typed here"); },
         "(;GM[1]FF[4]SZ[9]XY[kept]AB[aa][ba]AW[ab]C[問題];B[ee]C[一](;W[dd]LB[dd:A];B[ff]"
         "C[typed here])(;W[fd]TR[fd]))"},
        {"a branch recorded on the variation the sequence viewer chose hung on the main line",
         "(;B[aa];W[bb](;B[cc];W[dd])(;B[ee];W[ff]))",
         [](SavedRecordTest& t) {
             t.menu("mSgfViewer");
             t.program().sequenceViewer().branchButton(3)->click();  // the variation B[ee]
             t.menu("Msaisyute");                                    // its W[ff]
             FomNode& tree = t.program().treeWindow();
             tree.CmdBstart->click();
             t.clickPoint(7, 7);  // W[gg] in place of W[ff]
             tree.CmdBend->click();
         },
         "(;B[aa]FF[4]GM[1]SZ[19];W[bb](;B[cc];W[dd])(;B[ee](;W[ff])(;W[gg])))"},
        {"a peer's move numbered beyond the position shown was dropped", "",
         [](SavedRecordTest& t) {
             Program peer;
             t.connectPeer(peer);
             t.clickPoint(4, 4);
             t.agree(peer, 1);
             peer.engine().IshiUtu(5, 15);
             t.agree(peer, 2);
             t.clickPoint(10, 10);
             t.agree(peer, 3);
             t.menu("mitte");
             t.menu("mitte");
             ASSERT_EQ(t.state().MoveCount, 1);
             peer.engine().IshiUtu(3, 3);
             t.agree(peer, 4);
             t.clickPoint(5, 5);
             t.agree(peer, 5);
             for (int k = 1; k <= 5; ++k)  // the same stones, each board seen from its side
                 EXPECT_EQ(peer.state().MoveRow[k] + t.state().MoveRow[k], 20) << k;
         },
         "(;FF[4]GM[1]SZ[19];B[dd];W[oe];B[jj];W[qq];B[ee])"},
        {"setup stones were replayed as moves and AE was ignored",
         "(;GM[1]FF[4]SZ[9]AB[cc][dc]AW[cd]PL[W]C[白番];W[ee];AE[cc]B[ff])",
         [](SavedRecordTest& t) {
             t.menu("msyote");
             EXPECT_EQ(t.stoneAt(3, 3), kBlack + 1) << "the problem opens at its position";
             EXPECT_EQ(t.state().MoveNoGrid[4][3], 0) << "setup stones bear no number";
             t.menu("Msaisyute");
             EXPECT_EQ(t.stoneAt(3, 3), 0) << "AE empties its point";
             t.clickPoint(7, 7);
             EXPECT_EQ(t.state().MoveNoGrid[7][7], 3) << "moves count moves only";
         },
         "(;GM[1]FF[4]SZ[9]AB[cc][dc]AW[cd]PL[W]C[白番];W[ee];AE[cc]B[ff];W[gg])"},
        {"marks and setup stones made with the palette were lost by an edit in the tree window",
         "(;SZ[9];B[ee];W[dd])",
         [](SavedRecordTest& t) {
             t.menu("mEdit");
             t.tool(QStringLiteral("△"));
             t.clickPoint(3, 3);
             t.tool(QStringLiteral("白石"));
             t.clickPoint(7, 7);
             FomNode& tree = t.program().treeWindow();
             tree.cPoint(2, 1);
             QTest::keyClicks(static_cast<QWidget*>(tree.TxtComment), "typed");
             tree.TxtComment_Validate();
         },
         "(;FF[4]GM[1]SZ[9];B[ee];W[dd]TR[cc]C[typed];AW[gg])"},
    };
    for (const SavedCase& c : cases) {
        SCOPED_TRACE(c.fault);
        start();
        program().treeWindow().setDialogs(dialogs_);
        if (*c.read) read(c.read);
        c.act(*this);
        const std::string saved = save();
        const std::string expected = outline(test::readSgfProperties(c.saved));
        EXPECT_EQ(outline(test::readSgfProperties(saved)), expected);
        EXPECT_EQ(outline(readByTheProgram(saved)), expected);
        EXPECT_TRUE(dialogs_.notices.isEmpty()) << dialogs_.notices.join('|').toStdString();
        TearDown();
        dialogs_.notices.clear();
    }
}

}  // namespace
}  // namespace kelmaz
