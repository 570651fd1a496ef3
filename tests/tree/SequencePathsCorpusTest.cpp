#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string_view>

#include "engine/BoardOptions.h"
#include "intake/RecordFormat.h"
#include "support/TestSupport.h"
#include "tree/SequencePaths.h"
#include "tree/TreeModel.h"

namespace kelmaz {
namespace {

struct Move {
    int col, row, colour;
    bool operator==(const Move&) const = default;
};

// The record as the viewer plays it: each setup stone a move of its own, where it stands.
std::vector<Move> recordOf(const GameState& s) {
    std::vector<Move> moves;
    for (int k = 0; k == 0 || s.hasMove(k); ++k) {
        if (k > 0) moves.push_back({s.MoveCol[k], s.MoveRow[k], s.MoveColour[k]});
        for (const SetupStone& stone : s.MoveSetup[k])
            if (stone.colour == kBlack || stone.colour == kWhite)
                moves.push_back({stone.col, stone.row, stone.colour});
    }
    return moves;
}

// The moves of a tree editor's line ("B[pd]W[dp]...").
std::vector<Move> pathOf(std::string_view path) {
    std::vector<Move> moves;
    for (std::size_t i = 0; i + 5 <= path.size(); i += 5)
        moves.push_back({std::toupper(path[i + 2]) - 64, std::toupper(path[i + 3]) - 64,
                         path[i] == 'B' ? kBlack : kWhite});
    return moves;
}

// Reads a corpus SGF file the way the file window does.
bool readSgf(const std::filesystem::path& file, GameState& state) {
    TreeLink noTree;
    BoardOptions options;
    const RecordReadResult r = readRecordFile(file.string(), state, options, noTree);
    return r.status == RecordReadResult::Status::Ok && r.format.DetectedFormat == "SGF";
}

// The viewer rebuilds the main line from the outline; it must be the line the reader loaded
// into the record, moves, passes and handicap stones alike.
TEST(SequencePathsCorpus, MainLineEqualsTheReadersMainLine) {
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::recordsDir())) {
        if (entry.path().extension() != ".sgf") continue;
        // An empty group "()" ends this file's main line for the reader; the outline has no
        // trace of it, so the two cannot agree on where that line stops.
        if (entry.path().filename() == "littlego__sgfc__test.sgf") continue;
        // This file's last node holds a move of each colour: the record plays one move a node,
        // the outline both.
        if (entry.path().filename() == "gnugo__buzco1.sgf") continue;
        GameState read;
        if (!readSgf(entry.path(), read)) continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        GameState viewer;
        viewer.List3 = read.List3;
        MakeTejun(viewer, viewer.List3, 0);
        EXPECT_EQ(recordOf(viewer), recordOf(read));
    }
    EXPECT_GT(files, 50);
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

// Each variation that ends in a leaf, replayed along its branch path, is the line of play
// that the tree editor computes for the same leaf (its branches are the leaves in text order).
TEST(SequencePathsCorpus, EveryLeafBranchReplaysTheTreeEditorsLine) {
    int checked = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(test::recordsDir() / "variations")) {
        GameState read;
        if (!readSgf(entry.path(), read)) continue;
        SCOPED_TRACE(entry.path().filename().string());
        TreeModel tree;
        tree.parse(read.SgfText);
        const BranchTable table = ReadNode(read.List3);
        // Records nested deeper than the table's levels (a group per move) cannot show all
        // their branches; the viewer names that in a notice instead.
        if (!table.notices.empty()) continue;
        std::vector<const ViewerBranch*> leaves;
        for (const ViewerBranch& b : table.branches) {
            const bool hasChild =
                std::any_of(table.branches.begin(), table.branches.end(),
                            [&](const ViewerBranch& c) { return c.parent == b.number; });
            if (!hasChild) leaves.push_back(&b);
        }
        ASSERT_EQ(static_cast<int>(leaves.size()), tree.BranchCount);
        for (int i = 1; i <= tree.BranchCount; ++i) {
            SCOPED_TRACE(i);
            GameState viewer;
            BuildPathRecord(viewer, read.List3, leaves[i - 1]->path);
            EXPECT_EQ(recordOf(viewer), pathOf(tree.GetDanPath(i)));
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace kelmaz
