#include "tree/TreeSession.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "tree/LineMarkup.h"
#include "tree/SgfLex.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"
#include "tree/TreeEdit.h"

namespace kelmaz {

namespace {

int parseNumber(const std::string& text) {
    int v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    while (b < e && *b == ' ') ++b;
    const auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() ? v : 0;
}

}  // namespace

TreeSession::TreeSession(GameState& state) : state_(state) {}

void TreeSession::clearView() {
    lineBranch_ = 1;
    SelX = SelY = SelNodeNo = SelNodeIndex = SelBranch = 0;
    Text1.clear();
    Text2.clear();
    model_.Clsdata();
    nodeMarksStale_ = true;
}

std::string TreeSession::viewText() const {
    return reducedView_ ? Stripdata(state_.SgfText) : state_.SgfText;
}

void TreeSession::parseView() {
    model_.parse(viewText());
    nodeMarksStale_ = true;
}

const std::vector<Markup>& TreeSession::nodeMarks() {
    if (nodeMarksStale_) {
        nodeMarks_ = nodeMarkup(viewText());
        nodeMarksStale_ = false;
    }
    return nodeMarks_;
}

void TreeSession::load(std::string sgfText, bool reducedView) {
    clearView();
    reducedView_ = reducedView;
    state_.SgfText = std::move(sgfText);
    parseView();
    select(1, 1);
}

void TreeSession::loadReduced(const std::string& text) { load(Stripdata(text), false); }

void TreeSession::loadFileTree(const std::string& text) { load(text, true); }

void TreeSession::loadAsIs(const std::string& text) { load(text, false); }

int TreeSession::selectedBranch() const {
    const int b = parseNumber(Text1);
    return (b >= 1 && b <= model_.BranchCount) ? b : 0;
}

int TreeSession::selectedNode() const {
    // A box without a number names no node (0 is the main line's first node).
    if (Text2.find_first_of("0123456789") == std::string::npos) return 0;
    return model_.nodeOfLabel(selectedBranch(), parseNumber(Text2));
}

bool TreeSession::select(int t1, int t2) {
    Text1 = std::to_string(t1);
    Text2 = std::to_string(model_.nodeLabel(t1, t2));
    if (t1 < 1 || t1 > model_.BranchCount || t2 < 1 || t2 > model_.BranchNodeCount[t1]) {
        return false;
    }
    SelX = model_.nodeX(t1, t2);
    SelY = model_.nodeY(t1);
    SelNodeNo = t2;
    SelBranch = t1;
    SelNodeIndex = model_.NodeIndex(t1, t2);
    return true;
}

std::string TreeSession::selectedComment() const {
    if (SelX == 0 || SelNodeIndex < 0 ||
        SelNodeIndex >= static_cast<int>(model_.NodeComments.size()))
        return {};
    return model_.NodeComments[SelNodeIndex];
}

void TreeSession::loadLineComments(int branch) {
    const std::vector<std::string> comments = model_.lineComments(branch);
    for (int m = 0; m <= kMaxMoves; ++m)
        state_.MoveComment[m] = m < static_cast<int>(comments.size()) ? comments[m] : "";
}

TreeSession::Click TreeSession::click(int x, int y) {
    const NodeHit h = model_.PointToNode(x, y);
    Text1 = std::to_string(h.branch);
    Text2 = std::to_string(model_.nodeLabel(h.branch, h.node));
    Click c;
    if (!h.hit || !select(h.branch, h.node)) return c;
    c.hit = true;
    lineBranch_ = h.branch;
    GetTejun(state_, model_.GetDanPath(h.branch));
    loadLineComments(h.branch);
    loadLineMarkup(state_, model_, nodeMarks(), h.branch);
    c.step = std::min(model_.movesThrough(h.branch, h.node), state_.MoveCount);
    return c;
}

bool TreeSession::followMove(int move) {
    const auto [b, k] = model_.lineNodeOfMove(lineBranch_, move);
    return b != 0 && select(b, k);
}

void TreeSession::reparse() {
    parseView();
    const auto rebuilt = RebuildSgfText(model_);
    if (!rebuilt) return;
    txtsgf = *rebuilt;
    // A reduced view is only a view: the fuller text stays what is written.
    if (!reducedView_) state_.SgfText = *rebuilt;
}

void TreeSession::writeComment(const std::string& comment) {
    if (state_.BranchInputMode || SelX == 0 || SelNodeIndex < 1) return;
    if (sgfscan::trim(comment) == sgfscan::trim(selectedComment())) return;
    state_.SgfText =
        WriteCommentIntoText(state_.SgfText, SelNodeIndex, comment,
                             reducedView_ ? NodeCounting::StoneNodes : NodeCounting::AllNodes);
    reparse();
    const int b = SelBranch;
    if (b >= 1 && b <= model_.BranchCount) {
        select(b, SelNodeNo);
        loadLineComments(b);
    }
}

bool TreeSession::moveEditToWholeText(int& b, int& k) {
    if (!reducedView_) return true;
    const std::vector<int> stoneNodes = shownNodeNumbers(state_.SgfText);
    const int shown = model_.NodeIndex(b, k);
    if (shown < 1 || shown > static_cast<int>(stoneNodes.size())) return false;
    const int node = stoneNodes[static_cast<std::size_t>(shown - 1)];
    TreeModel whole;
    whole.parse(state_.SgfText);
    for (int wb = 1; wb <= whole.BranchCount; ++wb) {
        const int first = whole.NodeIndex(wb, 1);
        if (node < first || node >= first + whole.BranchNodeCount[wb]) continue;
        model_ = std::move(whole);
        reducedView_ = false;
        nodeMarksStale_ = true;
        b = wb;
        k = node - first + 1;
        return true;
    }
    return false;
}

bool TreeSession::isNode(int b, int k) const {
    return b >= 1 && b <= model_.BranchCount && k >= 1 && k <= model_.BranchNodeCount[b];
}

bool TreeSession::startBranch() {
    if (state_.MoveCount <= 0 || !isNode(selectedBranch(), selectedNode())) return false;
    state_.BranchComments.assign(1, std::string());
    state_.BranchInputMode = true;
    BranchFromMove = state_.MoveCount;
    state_.MoveCount -= 1;
    BranchFromNode = selectedNode();
    return true;
}

int TreeSession::endBranch(const std::string& comment) {
    const int last = state_.MoveCount;
    if (!state_.BranchInputMode) return 0;
    state_.BranchInputMode = false;
    if (state_.BranchComments.empty()) state_.BranchComments.emplace_back();
    state_.BranchComments.back() = comment;
    state_.BranchComments.emplace_back();
    const std::string text =
        recordedBranchText(state_, BranchFromMove, last, state_.BranchComments);
    // The selection may have moved while the branch was played; it must still name a node.
    int at = selectedBranch(), node = BranchFromNode;
    if (text.empty() || !isNode(at, node) || !moveEditToWholeText(at, node)) return 0;
    const int b = InsertBranch(model_, at, node, text);
    if (b) afterTableEdit(b);
    return b;
}

void TreeSession::cancelBranch() {
    state_.BranchInputMode = false;
    state_.BranchComments.clear();
    BranchFromMove = BranchFromNode = 0;
}

int TreeSession::insertEmptyBranch() {
    int at = selectedBranch(), node = selectedNode();
    if (!isNode(at, node) || !moveEditToWholeText(at, node)) return 0;
    const int b = InsertBranch(model_, at, node, ";;;;");
    if (b) afterTableEdit(b);
    return b;
}

TreeSession::Deletion TreeSession::deletionOf() const {
    const int b = selectedBranch();
    if (b == 0) return Deletion::NothingSelected;
    return b == 1 ? Deletion::MainLine : Deletion::Deleted;
}

bool TreeSession::deleteSelected() {
    int b = selectedBranch(), node = 1;
    if (deletionOf() != Deletion::Deleted || !moveEditToWholeText(b, node)) return false;
    if (!DeleteBranch(model_, b)) return false;
    afterTableEdit(0);
    return true;
}

// After an insertion or deletion the text is rebuilt from the table; the per-node comments
// are then re-derived from that text so that they follow the right nodes. An edited file's
// tree is shown whole from then on, so that its table and text agree.
void TreeSession::afterTableEdit(int selectBranch) {
    reducedView_ = false;
    if (const auto rebuilt = RebuildSgfText(model_)) {
        txtsgf = *rebuilt;
        state_.SgfText = *rebuilt;
    }
    model_.ExtractComments(state_.SgfText);
    nodeMarksStale_ = true;
    lineBranch_ = selectBranch ? selectBranch : 1;
    SelX = SelY = SelNodeNo = SelNodeIndex = SelBranch = 0;
    Text1.clear();
    Text2.clear();
    if (selectBranch) select(selectBranch, 1);
}

}  // namespace kelmaz
