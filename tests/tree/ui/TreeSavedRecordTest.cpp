// What the file window saves while the tree window holds a file's tree, after what a user
// does with the tree window and the board's commentary box: read back by the test's own SGF
// reader and compared, property by property, with the record that was read.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

#include "records/ui/FomFile.h"
#include "support/ProgramFixture.h"
#include "support/SgfPropertyReader.h"
#include "support/TopLevel.h"
#include "tree/ui/FomNode.h"

namespace kelmaz {
namespace {

// A property the program does not know, comments, markup and a variation.
constexpr const char* kRecord =
    "(;GM[1]FF[4]SZ[9]XY[kept]C[問題];B[ee]C[一](;W[dd]LB[dd:A];B[ff])(;W[fd]TR[fd]))";

class TreeSavedRecordTest : public test::ProgramFixture {
  protected:
    FomFile& fileWindow() {
        program().showFileWindow();
        FomFile* file = test::topLevel<FomFile>();
        file->setDialogs(dialogs_);
        return *file;
    }
    void read(const std::string& text) {
        test::writeBytes(dir_.file("read.sgf"), text);
        FomFile& file = fileWindow();
        file.Txtfile->setText(QString::fromStdString(dir_.file("read.sgf").string()));
        file.CmdRead_Click();
    }
    std::vector<test::SgfGameProperties> saved() {
        FomFile& file = fileWindow();
        file.Txtfile->setText(QString::fromStdString(dir_.file("saved.sgf").string()));
        file.CmdWrite_Click();
        return test::readSgfProperties(test::readBytes(dir_.file("saved.sgf")));
    }
    // The properties of node `node` (file order) of the first game, without the root's game
    // information the writer adds.
    static auto properties(const std::vector<test::SgfGameProperties>& games, std::size_t node) {
        auto props = games.at(0).at(node).properties;
        std::erase_if(props, [](const auto& p) { return p.first == "CA" || p.first == "AP"; });
        return props;
    }
};

struct SavedCase {
    const char* fault;
    std::function<void(FomMain&, FomNode&)> act;
    std::size_t node = 0;  // the node that gets `comment` (none when empty)
    const char* comment = "";
};

TEST_F(TreeSavedRecordTest, WhatTheUserDidIsSavedAndNothingElseIsLost) {
    const SavedCase cases[] = {
        {"closing the tree window emptied the tree text",
         [](FomMain& main, FomNode&) { main.findChild<QAction*>("mSGF")->trigger(); }},
        {"text typed in the board's commentary box was not taken into the tree",
         [](FomMain& main, FomNode&) {
             QTest::keyClicks(main.findChild<QPlainTextEdit*>("TxtKaisetu"), "typed here");
         },
         3, "typed here"},
    };
    const auto original = test::readSgfProperties(kRecord);
    for (const SavedCase& c : cases) {
        SCOPED_TRACE(c.fault);
        start();
        FomNode& tree = program().treeWindow();
        tree.setDialogs(dialogs_);
        read(kRecord);
        ASSERT_TRUE(tree.isVisible());
        c.act(main(), tree);
        const auto games = saved();
        ASSERT_EQ(games.size(), 1U);
        ASSERT_EQ(games[0].size(), original[0].size());
        for (std::size_t n = 0; n < original[0].size(); ++n) {
            auto expected = properties(original, n);
            if (n == c.node && *c.comment) expected.push_back({"C", {c.comment}});
            EXPECT_EQ(games[0][n].depth, original[0][n].depth) << n;
            EXPECT_EQ(properties(games, n), expected) << n;
        }
        EXPECT_TRUE(dialogs_.notices.isEmpty()) << dialogs_.notices.join('|').toStdString();
        TearDown();
    }
}

}  // namespace
}  // namespace kelmaz
