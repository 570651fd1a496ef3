#pragma once
// The branch table of an SGF tree held as text. Every load or edit re-derives the table from
// the text (or patches it and rebuilds the text): a branch is the run of nodes from a fork
// down to the next leaf, in text order; branch 1 is the main line. Tables grow with the tree.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmaz {

// Drawing units (twips) of the tree picture.
inline constexpr int kNodeSize = 300;
inline constexpr int kNodePitch = kNodeSize + 50;

struct NodeHit {
    int branch = 0;  // 0 when no branch lies there
    int node = 0;    // node number within the branch, as computed (may lie outside it)
    int column = 0;  // nearest column of the click
    bool hit = false;
};

// A node of the table: node k of branch b; b = 0 for none.
struct NodeRef {
    int branch = 0;
    int node = 0;
    bool operator==(const NodeRef&) const = default;
};

// The ways the arrow keys move the selection in the tree picture.
enum class TreeStep { Previous, Next, Up, Down };

struct Connector {
    int x = 0, y1 = 0, y2 = 0;
};

class TreeModel {
  public:
    TreeModel();

    // Branch b in 1..BranchCount; index 0 is unused.
    int BranchCount = 0;
    std::vector<std::string> BranchText;  // node text of the branch, each node begins with ";"
    std::vector<int> BranchNodeCount;
    std::vector<int> BranchStart;  // depth of the branch's first node
    std::vector<int> BranchRow;    // drawing row
    std::vector<int> GroupStartDepth;
    // Comment per text-order node index (every node counted); index 0 holds text before the
    // first node. NodeStones holds the number of stones each node places.
    std::vector<std::string> NodeComments;
    std::vector<int> NodeStones;

    void Clsdata();
    // Whole parse of text: group depths, comments, branch table, rows.
    void parse(std::string_view text);
    void ComputeGroupDepths(std::string_view text);  // begins with Clsdata, ends with comments
    void ExtractComments(std::string_view text);
    void BuildBranchTable(std::string_view text);

    // Must run after any change of the branch table: parents, descendants, rows.
    void refresh();

    int endDepth(int b) const { return BranchStart[b] + BranchNodeCount[b] - 1; }
    // The number a node shows (in the tree and in the node-number box): its place in its
    // branch, counted from 1, except where the main line begins with a node without a stone
    // (the record's introduction): that node is 0, so that node n of the main line is move n.
    int nodeLabel(int b, int k) const { return b == 1 && introductionFirst() ? k - 1 : k; }
    // The node k of branch b that shows `label`.
    int nodeOfLabel(int b, int label) const {
        return b == 1 && introductionFirst() ? label + 1 : label;
    }
    bool introductionFirst() const;
    int NodeIndex(int b, int k) const;
    int ParentBranch(int p) const;
    // Number of descendants of p; they are always branches p+1 .. p+n. 0 for branch 1.
    int CollectDescendants(int p) const;
    int BranchAbove(int p) const;

    // Move string from the root to the end of branch dn.
    std::string GetDanPath(int dn) const;
    // Text-order node indices from the root to the end of branch b, in line order.
    std::vector<int> lineNodes(int b) const;
    // The node (branch, node number) of branch b's line that shows the position after `move`
    // stones: the node that places the move-th stone, or for 0 the line's first node when it
    // places none. {0, 0} when the line has no such node.
    std::pair<int, int> lineNodeOfMove(int b, int move) const;
    // Number of stones placed along branch b's line up to and including its node k.
    int movesThrough(int b, int k) const;
    // Comments along branch b's line by move number (1..), each attached to the last stone
    // placed at or before its node; entry 0 holds comments before the first stone.
    std::vector<std::string> lineComments(int b) const;

    // Geometry.
    void AssignRows();
    int nodeX(int b, int k) const { return kNodePitch * (BranchStart[b] + k); }
    int nodeY(int b) const { return kNodePitch * BranchRow[b]; }
    int BranchAt(int row, int depth) const;
    NodeHit PointToNode(int x, int y) const;
    // The node one step from node k of branch b: the previous or next node of the line through
    // it (back across forks to the root), or the nearest node in the same column in a row above
    // or below. {} when there is none or (b, k) names no node.
    NodeRef stepFrom(int b, int k, TreeStep step) const;
    Connector TateLine(int dl) const;
    int treeWidth() const;  // twips
    int rowCount() const;   // largest row used

  private:
    // Branch b's line as (branch, nodes taken from it) from the root down.
    std::vector<std::pair<int, int>> lineChain(int b) const;

    std::vector<int> parent_, descendants_, above_, nodeBase_;
};

// v rounded to the nearest integer, a half going to the even neighbour.
int nearest(double v);

}  // namespace kelmaz
