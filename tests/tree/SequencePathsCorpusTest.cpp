#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <span>

#include "base/TextCodec.h"
#include "engine/BoardOptions.h"
#include "intake/RecordFormat.h"
#include "support/EngineOnFakeHost.h"
#include "support/TestSupport.h"
#include "tree/SequencePaths.h"
#include "tree/SgfReader.h"
#include "tree/TreeModel.h"

namespace kelmaz {
namespace {

// The stones of the line a state shows, setup stones before the move that follows them, as
// the tree editor's path lists them: "B[aa]" each, a pass as "tt".
std::string stonesOf(const GameState& s) {
    std::string out;
    const auto add = [&](int colour, int col, int row) {
        out += colour == kBlack ? 'B' : 'W';
        out += '[';
        out += static_cast<char>('A' + col - 1);
        out += static_cast<char>('A' + row - 1);
        out += ']';
    };
    for (int k = 0; k <= kMaxMoves; ++k) {
        for (const SetupStone& stone : s.MoveSetup[k])
            if (stone.colour != kNoColour) add(stone.colour, stone.col, stone.row);
        if (!s.hasMove(k + 1)) break;
        add(s.MoveColour[k + 1], s.MoveCol[k + 1], s.MoveRow[k + 1]);
    }
    return out;
}

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Reads a corpus SGF file the way the file window does.
bool readSgf(const std::filesystem::path& file, GameState& state) {
    TreeLink noTree;
    BoardOptions options;
    const RecordReadResult r = readRecordFile(file.string(), state, options, noTree);
    return r.status == RecordReadResult::Status::Ok && r.format.DetectedFormat == "SGF";
}

TEST(SequencePathsCorpus, AnotherFormatReadAfterAnSgfFileLeavesNoOutline) {
    GameState state;
    ASSERT_TRUE(readSgf(test::dataFile("handmade/sgf-commented-game-with-variations.sgf"), state));
    ASSERT_FALSE(state.List3.empty());
    TreeLink noTree;
    BoardOptions options;
    readRecordFile((test::dataFile("handmade/ugf-hdcap-lower-case-coordinate.ugf")).string(), state,
                   options, noTree);
    EXPECT_TRUE(state.List3.empty());
    EXPECT_TRUE(ReadNode(state.List3).branches.empty());
}

// Each branch of the outline is the variation of the same number in the document, its first
// move numbered alike, and a branch that ends in a leaf shows the line of play the tree editor
// computes for that leaf (its branches are the leaves in text order), setup stones and passes
// alike.
TEST(SequencePathsCorpus, EveryBranchShowsTheDocumentsVariationAndTheTreeEditorsLine) {
    int checked = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(test::recordsDir() / "variations")) {
        auto read = std::make_unique<GameState>();
        if (!readSgf(entry.path(), *read)) continue;
        SCOPED_TRACE(entry.path().filename().string());
        TreeModel tree;
        tree.parse(read->SgfText);
        const BranchTable table = ReadNode(read->List3);
        // Records nested deeper than the table's levels (a group per move) cannot show all
        // their branches; the viewer names that in a notice instead.
        if (!table.notices.empty()) continue;
        test::EngineOnFakeHost viewer;
        viewer.record.takeSgf(decodeRecordBytes(test::readBytes(entry.path())).text);
        // The outline of a collection goes on into the next game, which the program reads
        // as a record of its own.
        const auto nextGame = std::find_if(table.branches.begin() + 1, table.branches.end(),
                                           [](const ViewerBranch& b) { return b.level == 0; });
        int leaf = 0;
        for (const ViewerBranch& b : std::span(table.branches.begin(), nextGame)) {
            SCOPED_TRACE(b.number);
            const VariationShown shown = viewer.record.showVariation(b.path);
            ASSERT_TRUE(shown.found);
            // The table's move numbers are the line's: its replay stops and labels match.
            EXPECT_EQ(shown.firstMoves.back(), std::min(b.startMove, kMaxMoves));
            const bool hasChild =
                std::any_of(table.branches.begin(), table.branches.end(),
                            [&](const ViewerBranch& c) { return c.parent == b.number; });
            if (hasChild) continue;
            ASSERT_LT(leaf, tree.BranchCount);
            EXPECT_EQ(stonesOf(viewer.state), upper(tree.GetDanPath(++leaf)));
            ++checked;
        }
        if (nextGame == table.branches.end()) {
            EXPECT_EQ(leaf, tree.BranchCount);
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace kelmaz
