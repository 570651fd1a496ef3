#include "document/TreeSession.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "tree/SgfLex.h"
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

bool placesMove(const SgfNode& node) { return node.find("B") || node.find("W"); }

}  // namespace

TreeSession::TreeSession(GameState& state, DocumentRecord& record)
    : state_(state), record_(record) {}

void TreeSession::clearView() {
    SelX = SelY = SelNodeNo = SelNodeIndex = SelBranch = 0;
    Text1.clear();
    Text2.clear();
    model_.Clsdata();
    parsed_ = false;
}

std::string TreeSession::viewText() const {
    return reducedView_ ? Stripdata(state_.SgfText) : state_.SgfText;
}

void TreeSession::parseView() {
    model_.parse(viewText());
    shownNodes_ = reducedView_ ? shownNodeNumbers(state_.SgfText) : std::vector<int>{};
    parsedText_ = state_.SgfText;
    parsedReduced_ = reducedView_;
    parsed_ = true;
}

void TreeSession::loadFileTree() {
    record_.holdTree(true);
    clearView();
    reducedView_ = true;
    parseView();
    select(1, 1);
}

bool TreeSession::loadText(const std::string& text, bool reduced) {
    SgfGames read = readSgfGames(text);
    if (read.games.empty()) return false;
    record_.holdTree(true);
    clearView();
    reducedView_ = reduced;
    RecordDocument& document = record_.document();
    const int game = document.position().game;
    document.edit(game,
                  [&read](GameTree& tree) {
                      read.games.front().before = std::move(tree.before);
                      tree = std::move(read.games.front());
                      return true;
                  },
                  {game, 0});
    if (!parsed_ || parsedText_ != state_.SgfText || parsedReduced_ != reducedView_) parseView();
    select(1, 1);
    return true;
}

bool TreeSession::refresh() {
    if (parsed_ && parsedText_ == state_.SgfText && parsedReduced_ == reducedView_) return false;
    const int b = SelBranch, k = SelNodeNo;
    parseView();
    SelX = SelY = SelNodeNo = SelNodeIndex = SelBranch = 0;
    if (isNode(b, k)) select(b, k);
    return true;
}

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

int TreeSession::documentNode(int index) const {
    if (reducedView_) {
        if (index < 1 || index > static_cast<int>(shownNodes_.size())) return -1;
        index = shownNodes_[static_cast<std::size_t>(index - 1)];
    }
    const RecordDocument& document = record_.document();
    if (document.gameCount() == 0) return -1;
    const std::vector<int> order = document.currentGame().textOrder();
    if (index < 1 || index > static_cast<int>(order.size())) return -1;
    return order[static_cast<std::size_t>(index - 1)];
}

bool TreeSession::selectDocumentNode(int node) {
    const RecordDocument& document = record_.document();
    if (document.gameCount() == 0) return false;
    const std::vector<int> order = document.currentGame().textOrder();
    const auto at = std::find(order.begin(), order.end(), node);
    if (at == order.end()) return false;
    int index = static_cast<int>(at - order.begin()) + 1;
    if (reducedView_) {
        const auto shown = std::find(shownNodes_.begin(), shownNodes_.end(), index);
        if (shown == shownNodes_.end()) return false;
        index = static_cast<int>(shown - shownNodes_.begin()) + 1;
    }
    for (int b = 1; b <= model_.BranchCount; ++b) {
        const int first = model_.NodeIndex(b, 1);
        if (index >= first && index < first + model_.BranchNodeCount[b])
            return select(b, index - first + 1);
    }
    return false;
}

bool TreeSession::editGame(const std::function<bool(GameTree&)>& change, std::string_view run) {
    RecordDocument& document = record_.document();
    if (document.gameCount() == 0) return false;
    return document.edit(document.position().game, change, document.position(), run);
}

TreeSession::Click TreeSession::click(int x, int y) {
    const NodeHit h = model_.PointToNode(x, y);
    Text1 = std::to_string(h.branch);
    Text2 = std::to_string(model_.nodeLabel(h.branch, h.node));
    Click c;
    if (!h.hit || !select(h.branch, h.node)) return c;
    c.hit = true;
    const int node = documentNode(SelNodeIndex);
    if (node < 0) return c;
    RecordDocument& document = record_.document();
    document.choose({document.position().game, node});
    const GameTree& game = document.currentGame();
    for (int n : game.pathTo(node)) c.step += placesMove(game.nodes[n]) ? 1 : 0;
    c.step = std::min(c.step, kMaxMoves);
    return c;
}

bool TreeSession::followMove(int move) {
    const LineProjection& line = record_.line();
    if (move < 0 || move >= line.slotCount()) return false;
    return selectDocumentNode(line.slotNode(move));
}

void TreeSession::reparse() {
    parseView();
    if (const auto rebuilt = RebuildSgfText(model_)) txtsgf = *rebuilt;
}

void TreeSession::writeComment(const std::string& comment) {
    if (state_.BranchInputMode || SelX == 0 || SelNodeIndex < 1) return;
    const std::string wanted(sgfscan::trim(comment));
    if (wanted == sgfscan::trim(selectedComment())) return;
    const int node = documentNode(SelNodeIndex);
    if (node < 0) return;
    // The characters typed into one node's box are one step of the history, whichever box
    // they were typed in.
    editGame(
        [&](GameTree& game) {
            game.nodes[node].setText("C", wanted);
            return true;
        },
        "comment " + std::to_string(node));
    refresh();
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
    const LineProjection& line = record_.line();
    if (last < BranchFromMove || BranchFromMove < 1 || last >= line.slotCount()) return 0;
    // The moves played are on the document's line already; comments[j] belongs to the j-th.
    std::vector<std::pair<int, std::string>> comments;
    for (int move = BranchFromMove; move <= last; ++move) {
        const auto j = static_cast<std::size_t>(move - BranchFromMove + 1);
        if (j < state_.BranchComments.size() && !state_.BranchComments[j].empty())
            comments.emplace_back(line.slotNode(move), state_.BranchComments[j]);
    }
    const int first = line.slotNode(BranchFromMove);
    if (!comments.empty())
        editGame([&comments](GameTree& game) {
            for (const auto& [node, text] : comments) game.nodes[node].setText("C", text);
            return true;
        });
    refresh();
    txtsgf = state_.SgfText;
    return selectDocumentNode(first) ? SelBranch : 0;
}

void TreeSession::cancelBranch() {
    state_.BranchInputMode = false;
    state_.BranchComments.clear();
    BranchFromMove = BranchFromNode = 0;
}

int TreeSession::insertEmptyBranch() {
    const int b = selectedBranch(), k = selectedNode();
    if (!isNode(b, k)) return 0;
    const int node = documentNode(model_.NodeIndex(b, k));
    if (node <= 0) return 0;
    // Empty nodes are not shown reduced: the whole tree is shown from now on.
    reducedView_ = false;
    int added = -1;
    editGame([&](GameTree& game) {
        int at = game.nodes[node].parent;
        for (int n = 0; n < 4; ++n) {
            at = game.addChild(at);
            if (n == 0) added = at;
        }
        return true;
    });
    refresh();
    txtsgf = state_.SgfText;
    return selectDocumentNode(added) ? SelBranch : 0;
}

TreeSession::Deletion TreeSession::deletionOf() const {
    const int b = selectedBranch();
    if (b == 0) return Deletion::NothingSelected;
    return b == 1 ? Deletion::MainLine : Deletion::Deleted;
}

bool TreeSession::deleteSelected() {
    const int b = selectedBranch();
    if (deletionOf() != Deletion::Deleted) return false;
    int node = documentNode(model_.NodeIndex(b, 1));
    if (node <= 0) return false;
    RecordDocument& document = record_.document();
    const GameTree& shown = document.currentGame();
    // The branch begins where its line leaves another: nodes a reduced view leaves out go with
    // it.
    for (int parent = shown.nodes[node].parent;
         parent > 0 && shown.nodes[parent].children.front() == node;
         parent = shown.nodes[node].parent)
        node = parent;
    if (shown.nodes[shown.nodes[node].parent].children.front() == node) return false;
    // The board keeps its position unless it stood on the branch: then it goes to the fork.
    std::vector<int> path = shown.pathTo(document.position().node);
    const auto gone = std::find(path.begin(), path.end(), node);
    const int stay = gone == path.end() ? path.back() : shown.nodes[node].parent;
    reducedView_ = false;
    const int game = document.position().game;
    document.editTo(game, [&](GameTree& tree) {
        // Every removed node numbered below `stay` moves it down by one; a child is always
        // numbered after its parent, so one forward pass finds the removed nodes.
        std::vector<bool> removed(tree.nodes.size(), false);
        int below = 0;
        for (int n = node; n < static_cast<int>(tree.nodes.size()); ++n) {
            removed[n] = n == node || (tree.nodes[n].parent >= 0 && removed[tree.nodes[n].parent]);
            if (removed[n] && n < stay) ++below;
        }
        tree.removeSubtree(node);
        return stay - below;
    });
    clearView();
    refresh();
    txtsgf = state_.SgfText;
    return true;
}

}  // namespace kelmaz
