#pragma once
// What the tree window does, without the window: the branch table of the tree text, the
// selected node, branch recording, insertion, deletion, the text rebuild and the comment
// write-back. The window draws the table, asks the questions and rebuilds the board.
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "tree/TreeModel.h"

namespace kelmaz {

class TreeSession {
  public:
    explicit TreeSession(GameState& state);

    const TreeModel& model() const { return model_; }
    GameState& state() { return state_; }

    // The selection: the texts of the branch and node boxes and the selected node's place.
    std::string Text1, Text2;
    int SelX = 0, SelY = 0, SelNodeNo = 0, SelNodeIndex = 0, SelBranch = 0;
    // The rebuilt text shown by the window.
    std::string txtsgf;

    // Loading. Every load clears the selection.
    void clearView();
    // The tree of text reduced to the nodes that place stones; SgfText becomes the reduced text.
    void loadReduced(const std::string& text);
    // A file's tree: shown reduced, while SgfText keeps the whole text for writing.
    void loadFileTree(const std::string& text);
    // A text shown as it stands (the sample list).
    void loadAsIs(const std::string& text);

    // The branch in Text1 when it names one, else 0 (nothing selected).
    int selectedBranch() const;
    int selectedNode() const;

    // Selects node t2 of branch t1 (cPoint); false when no such node.
    bool select(int t1, int t2);
    // The comment of the selected node, unescaped.
    std::string selectedComment() const;

    struct Click {
        bool hit = false;
        int step = 0;  // the move number of the clicked node on its line
    };
    // A click at (x, y) in tree units: fills Text1/Text2, and on a node selects it and loads the
    // line through it (with its comments and marks) into the move record; the caller shows move
    // `step`.
    Click click(int x, int y);
    // The board shows the position after `move` moves: selects the node of that move on the
    // line the record holds (the last clicked node's branch, else the main line). False when
    // that line has no such node; the selection then stays.
    bool followMove(int move);

    // Re-derives the table from SgfText and rebuilds the text (書出).
    void reparse();
    // Writes comment into the selected node's text and re-derives everything.
    void writeComment(const std::string& comment);

    // Branch recording. start: false when it cannot start (no move on the board, the boxes
    // naming no node of the tree); else MoveCount is one less and the caller rebuilds the board
    // up to it.
    bool startBranch();
    // end: the branch played since start (comment = the comment box's text for the last move)
    // goes in as an alternative to the node selected at the start; the new branch's number, or
    // 0 when nothing was played or no recording runs.
    int endBranch(const std::string& comment);
    // Stops a recording without inserting anything (another tree was loaded).
    void cancelBranch();
    // An empty branch at the node the boxes name; its number, or 0 when they name no node.
    int insertEmptyBranch();
    enum class Deletion { NothingSelected, MainLine, Deleted };
    // Checks what deleting the selected branch would do; deleteSelected() then does it.
    Deletion deletionOf() const;
    bool deleteSelected();

    int BranchFromMove = 0;
    int BranchFromNode = 0;

  private:
    // Every load: SgfText becomes sgfText, shown reduced or as it stands, first node selected.
    void load(std::string sgfText, bool reducedView);
    bool isNode(int b, int k) const;
    // An edit of a file's tree works on its whole text, not on the reduced view, so that it
    // changes only the branch it edits: the table becomes the whole text's and (b, k), a node
    // of the reduced view, the same node in it. False when (b, k) names no node.
    bool moveEditToWholeText(int& b, int& k);
    // The text the table is derived from: the reduced form of a file's tree, else SgfText.
    std::string viewText() const;
    void parseView();
    // The marks of every node of the table's text, worked out on the first click after the
    // table changed (a large tree's text is read once, not on every click).
    const std::vector<Markup>& nodeMarks();
    void afterTableEdit(int selectBranch);
    void loadLineComments(int branch);

    GameState& state_;
    TreeModel model_;
    // True while the table shows the reduced form of a fuller SgfText (a file's tree): node
    // numbers then count only the nodes that place stones.
    bool reducedView_ = false;
    // The branch whose line the move record holds.
    int lineBranch_ = 1;
    std::vector<Markup> nodeMarks_;
    bool nodeMarksStale_ = true;
};

}  // namespace kelmaz
