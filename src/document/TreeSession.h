#pragma once
// What the tree window does, without the window: the branch table of the record's tree text,
// the selected node, branch recording, insertion, deletion, the text rebuild and the comments
// of nodes. The tree text is the document's game written out (DocumentRecord); every change
// the window makes is an edit of the document, and the table follows the text whenever the
// document changes. The window draws the table, asks the questions and rebuilds the board.
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "engine/GameState.h"
#include "tree/TreeModel.h"

namespace kelmaz {

class TreeSession {
  public:
    TreeSession(GameState& state, DocumentRecord& record);

    const TreeModel& model() const { return model_; }
    GameState& state() { return state_; }

    // The selection: the texts of the branch and node boxes and the selected node's place.
    std::string Text1, Text2;
    int SelX = 0, SelY = 0, SelNodeNo = 0, SelNodeIndex = 0, SelBranch = 0;
    // The rebuilt text shown by the window.
    std::string txtsgf;

    // Loading. Every load clears the selection and selects the first node.
    void clearView();
    // The record's tree, reduced to the nodes that place stones (the rest stays in the record).
    void loadFileTree();
    // The game shown becomes the tree of `text` (a sample, a file read into the tree window),
    // as one edit; shown reduced or as it stands. False when the text holds no game.
    bool loadText(const std::string& text, bool reduced);

    // The document changed: when the tree text did, the table is derived again and the same
    // node stays selected where it still exists. True when the table was derived again.
    bool refresh();

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
    // A click at (x, y) in tree units: fills Text1/Text2, and on a node selects it and makes the
    // line through it the line the board shows; the caller shows move `step`.
    Click click(int x, int y);
    // The board shows the position after `move` moves of the document's line: selects the node
    // of that move. False when the tree does not show that node; the selection then stays.
    bool followMove(int move);

    // Rebuilds the text from the table (書出), for the user to see.
    void reparse();
    // The comment of the selected node becomes `comment` (trimmed), as a document edit.
    void writeComment(const std::string& comment);

    // Branch recording. start: false when it cannot start (no move on the board, the boxes
    // naming no node of the tree); else MoveCount is one less and the caller rebuilds the board
    // up to it. The moves played then go into the document as a line of their own beside the
    // line the board showed.
    bool startBranch();
    // end: the comments typed for the moves played since start (comment = the comment box's
    // text for the last move) go to their nodes; the branch of the first move played is
    // selected and its number returned, or 0 when nothing was played or no recording runs.
    int endBranch(const std::string& comment);
    // Stops a recording without anything more (another tree was loaded).
    void cancelBranch();
    // An empty branch of four nodes beside the node the boxes name; its number, or 0 when they
    // name no node (or the root).
    int insertEmptyBranch();
    enum class Deletion { NothingSelected, MainLine, Deleted };
    // Checks what deleting the selected branch would do; deleteSelected() then does it.
    Deletion deletionOf() const;
    bool deleteSelected();

    int BranchFromMove = 0;
    int BranchFromNode = 0;

  private:
    bool isNode(int b, int k) const;
    // The text the table is derived from: the reduced form of the tree text, or the text.
    std::string viewText() const;
    void parseView();
    // The document's node that node `index` of the table (text order, 1-based) stands for;
    // -1 when none.
    int documentNode(int index) const;
    // Selects the table's node that stands for document node `node`; false when the table
    // does not show it.
    bool selectDocumentNode(int node);
    // Runs `change` on the game shown as one document edit; the board keeps its position.
    bool editGame(const std::function<bool(GameTree&)>& change, std::string_view run = {});

    GameState& state_;
    DocumentRecord& record_;
    TreeModel model_;
    // True while the table shows the reduced form of the tree text: node numbers then count
    // only the nodes that place stones.
    bool reducedView_ = false;
    // The text and view the table was last derived from.
    std::string parsedText_;
    bool parsedReduced_ = false;
    bool parsed_ = false;
    // Text-order numbers of the nodes the reduced view keeps.
    std::vector<int> shownNodes_;
};

}  // namespace kelmaz
