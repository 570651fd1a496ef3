// The document against an independent SGF reader: what is read and written back holds the
// same games, nodes, properties and values; edits touch only their own game; the line shown is
// laid out with setup as setup and moves counted alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/DocumentFile.h"
#include "document/LineProjection.h"
#include "document/RecordDocument.h"
#include "intake/RecordCollection.h"
#include "support/SgfPropertyReader.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using test::readSgfProperties;

// Every game counts as edited, so the writer lays each one out itself instead of handing back
// the text it read.
void editEveryGame(RecordDocument& document) {
    for (int g = 0; g < document.gameCount(); ++g)
        document.edit(
            g, [](GameTree&) { return true; }, document.position());
}

// What the independent reader finds in SGF text, with the CA values left out: a file whose
// declared charset cannot hold its text is written in UTF-8 and says so.
std::vector<test::SgfGameProperties> propertiesOf(std::string_view text) {
    auto games = readSgfProperties(text);
    for (auto& game : games)
        for (auto& node : game)
            std::erase_if(node.properties, [](const auto& p) { return p.first == "CA"; });
    return games;
}

TEST(RecordDocument, EveryCorpusRecordReadAndWrittenHoldsTheSameProperties) {
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::recordsDir())) {
        if (entry.path().extension() != ".sgf") continue;
        ++files;
        SCOPED_TRACE(entry.path().string());
        const std::string text = recordCollection(test::readBytes(entry.path())).text;
        RecordDocument document;
        document.read(text);
        EXPECT_EQ(propertiesOf(recordCollection(documentFileBytes(document)).text),
                  propertiesOf(text));
        // Laid out anew by the writer, each game still holds the same nodes and values (game
        // by game: a tree the file leaves open is a game of its own once written).
        std::vector<std::string> sources;
        for (int g = 0; g < document.gameCount(); ++g) sources.push_back(document.game(g).source);
        editEveryGame(document);
        for (int g = 0; g < document.gameCount(); ++g)
            EXPECT_EQ(propertiesOf(document.gameText(g)), propertiesOf(sources[g])) << g;
    }
    EXPECT_GT(files, 100);
}

constexpr std::string_view kThreeGames =
    "(;GM[1]PB[一]XX[kept\\]as read];B[aa]C[first])\n"
    "(;GM[1]PB[二];B[bb](;W[cc])(;W[dd]C[var]))\n"
    "note between\n(;GM[1]PB[三];B[ee])\n";

TEST(RecordDocument, EditingOneGameOfACollectionKeepsTheOthersByteForByte) {
    RecordDocument document;
    document.read(kThreeGames);
    ASSERT_EQ(document.gameCount(), 3);
    const auto before = readSgfProperties(kThreeGames);
    document.edit(1,
                  [](GameTree& game) {
                      game.nodes[1].setText("C", "new]comment");
                      return true;
                  },
                  {1, 1});
    const std::string saved = document.text();
    EXPECT_TRUE(saved.starts_with("(;GM[1]PB[一]XX[kept\\]as read];B[aa]C[first])\n"));
    EXPECT_TRUE(saved.ends_with("note between\n(;GM[1]PB[三];B[ee])\n"));
    const auto after = readSgfProperties(saved);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[2], before[2]);
    ASSERT_EQ(after[1].size(), 4u);  // root, B, and both variations
    EXPECT_EQ(after[1][1].properties.back().second.front(), "new]comment");
    EXPECT_EQ(after[1][3].depth, 3);
    // The game alone, for a file of its own, says what charset it is in.
    auto alone = after[1];
    alone.front().properties.insert(alone.front().properties.begin() + 1, {"CA", {"UTF-8"}});
    EXPECT_EQ(readSgfProperties(gameFileBytes(document, 1)).front(), alone);
}

// Writing a variation inside a variation used to recurse once per level: a file nested a
// hundred thousand variations deep ended the program when it was saved after an edit.
TEST(RecordDocument, ATreeNestedDeepInVariationsIsWrittenWhole) {
    std::string text = "(;";
    for (int i = 0; i < 100000; ++i) text += "B[aa](;W[bb])(;";
    text += "C[deepest]" + std::string(100000, ')') + ")";
    RecordDocument document;
    document.read(text);
    editEveryGame(document);
    EXPECT_EQ(readSgfProperties(document.text()), readSgfProperties(text));
}

TEST(RecordDocument, EachEditUndoAndRedoIsAnnouncedOnceAndANoOpNotAtAll) {
    RecordDocument document;
    document.read(kThreeGames);
    int told = 0;
    document.observe([&told] { ++told; });
    const auto revision = document.revision();
    EXPECT_FALSE(document.edit(0, [](GameTree&) { return false; }, {0, 1}));
    EXPECT_EQ(told, 0);
    document.edit(0,
                  [](GameTree& game) {
                      game.nodes[0].setText("PB", "changed");
                      return true;
                  },
                  {0, 1});
    EXPECT_EQ(told, 1);
    EXPECT_GT(document.revision(), revision);
    document.undo();
    EXPECT_EQ(document.position(), (LinePosition{0, 0}));
    document.redo();
    EXPECT_EQ(told, 3);
}

TEST(RecordDocument, CuttingAVariationRenumbersTheNodesBehindIt) {
    RecordDocument document;
    document.read("(;B[aa](;W[bb];B[cc])(;W[dd]C[x]))");
    document.edit(0, [](GameTree& game) { return game.removeSubtree(1); }, {0, 0});
    EXPECT_EQ(readSgfProperties(document.text()), readSgfProperties("(;B[aa];W[dd]C[x])"));
    EXPECT_FALSE(GameTree(document.game(0)).removeSubtree(0));
}

// The line a problem file shows: its setup stands before the first move, which is move 1.
TEST(LineProjection, SetupStonesAreSetupAndMovesCountAlone) {
    RecordDocument document;
    document.read(
        "(;SZ[9]AB[aa][bb:cc]AW[dd]PL[W]C[problem];W[ee]C[one];AE[aa]LB[ff:X];B[gg]MN[7])");
    const GameTree& game = document.game(0);
    const LineProjection line = projectLine(game, 0);
    EXPECT_EQ(line.moves, 2);
    EXPECT_EQ(line.playerToMove, kWhite);
    EXPECT_EQ(line.firstMoveNumber, 6);  // MN[7] on the second move
    ASSERT_EQ(line.slotCount(), 3);
    EXPECT_EQ(line.setup[0].size(), 6u);  // aa, the four of bb:cc, dd
    EXPECT_EQ(line.setup[1], (std::vector<SetupStone>{{1, 1, kNoColour}}));

    GameState state;
    showLine(game, line, state);
    EXPECT_EQ(state.lastMoveInRecord(), 2);
    EXPECT_EQ(state.MoveCol[1], 5);
    EXPECT_EQ(state.MoveColour[1], kWhite);
    EXPECT_EQ(state.MoveComment[0], "problem");
    EXPECT_EQ(state.MoveComment[1], "one");
    ASSERT_EQ(state.MoveMarkup[1].size(), 1u);  // the label of the node after move 1
    EXPECT_EQ(state.MoveSetup[1], line.setup[1]);
}

TEST(LineProjection, ALineBeyondTheRecordIsShownTo500AndSavedWhole) {
    std::string text = "(;SZ[19]";
    for (int k = 0; k < 520; ++k) text += k % 2 ? ";W[tt]" : ";B[tt]";
    text += ")";
    RecordDocument document;
    document.read(text);
    const LineProjection line = projectLine(document.game(0), 0);
    EXPECT_EQ(line.moves, 520);
    EXPECT_EQ(line.slotCount(), kMaxMoves + 1);
    EXPECT_FALSE(line.message.empty());
    GameState state;
    showLine(document.game(0), line, state);
    EXPECT_EQ(state.lastMoveInRecord(), kMaxMoves);
    editEveryGame(document);
    EXPECT_EQ(readSgfProperties(document.text()).front().size(), 521u);
}

}  // namespace
}  // namespace kelmaz
