#include "document/DocumentRecord.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/SgfEscape.h"
#include "base/TextCodec.h"
#include "records/GameInfoRules.h"
#include "records/SgfWriter.h"
#include "tree/SgfReader.h"

namespace kelmaz {

namespace {

std::string_view moveName(int colour) { return colour == kWhite ? "W" : "B"; }

// The point a move or setup value names, (kPassCoord, kPassCoord) for a pass.
std::pair<int, int> movePoint(const SgfProperty& move) {
    const auto at = move.values.empty() ? std::nullopt : sgfPoint(move.values.front());
    return at ? *at : std::pair{kPassCoord, kPassCoord};
}

// True when `node` plays (col, row), as the record holds it, with `colour`.
bool playsMove(const SgfNode& node, int colour, std::pair<int, int> point) {
    const SgfProperty* move = node.find(moveName(colour));
    return move != nullptr && movePoint(*move) == point;
}

SgfProperty moveProperty(int colour, std::string value) {
    return {std::string(moveName(colour)), {std::move(value)}};
}

// A game value as the game information takes it from the file: unescaped, without carriage
// returns.
std::string asInfoReads(std::string_view raw) {
    std::string out = unescapeSgfValue(raw);
    std::erase(out, '\r');
    return out;
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The first node of each variation, in the order the game's text opens them: the root, then
// every child of a node with several children.
std::vector<int> variationStarts(const GameTree& game) {
    std::vector<int> starts;
    for (int node : game.textOrder()) {
        const int parent = game.nodes[node].parent;
        if (parent < 0 || game.nodes[parent].children.size() > 1) starts.push_back(node);
    }
    return starts;
}

// The last node of the variation through `node`: where the line forks or ends.
int variationEnd(const GameTree& game, int node) {
    while (game.nodes[node].children.size() == 1) node = game.nodes[node].children.front();
    return node;
}

void turnOnBoard(int size, int& col, int& row) {
    if (col < 1 || col > size || row < 1 || row > size) return;
    col = size + 1 - col;
    row = size + 1 - row;
}

}  // namespace

DocumentRecord::DocumentRecord(RecordDocument& document, GameState& state)
    : document_(document), state_(state) {
    document_.observe([this] { show(); });
    // The move record is left as it stands: a record written into it before is taken into
    // the document by the first change.
    if (document_.gameCount() > 0)
        line_ = projectLine(document_.currentGame(), document_.position().node);
}

void DocumentRecord::show() {
    if (document_.gameCount() == 0) {
        line_ = {};  // no line is shown, so no edit reaches for a node of an earlier record
        return;
    }
    const GameTree& game = document_.currentGame();
    line_ = projectLine(game, document_.position().node);
    showLine(game, line_, state_);
    showTreeText();
    showRootInfo();
    if (!state_.BoardRotated) return;
    const int size = state_.BoardSize;
    for (int k = 0; k < line_.slotCount(); ++k) {
        if (k > 0) turnPoint(size, state_.MoveCol[k], state_.MoveRow[k]);
        state_.MoveMarkup[k] = state_.MoveMarkup[k].turned(size);
        for (SetupStone& stone : state_.MoveSetup[k]) turnOnBoard(size, stone.col, stone.row);
    }
}

int DocumentRecord::positionSlot() const {
    const auto at = std::find(line_.line.begin(), line_.line.end(), document_.position().node);
    const std::size_t index = static_cast<std::size_t>(at - line_.line.begin());
    int slot = 0;
    while (slot + 1 < line_.slotCount() && line_.slotStarts[slot + 1] <= index) ++slot;
    return std::min(slot, state_.lastMoveInRecord());
}

std::string DocumentRecord::recordPoint(int col, int row) const {
    if (!state_.onBoard(col, row)) return {};
    if (state_.BoardRotated) turnOnBoard(state_.BoardSize, col, row);
    return {static_cast<char>('a' + col - 1), static_cast<char>('a' + row - 1)};
}

void DocumentRecord::showRootInfo() {
    const GameTree& game = document_.currentGame();
    if (game.nodes.empty()) return;
    const SgfNode& root = game.nodes.front();
    for (int f = 0; f < kGameInfoFields; ++f) {
        std::string value = root.text(GameInfoNames[f]);
        if (value == rootInfo_[f]) continue;
        if (!newRecord_ && f != int(InfoField::CA)) setInfoField(state_.Info, f, value);
        rootInfo_[f] = std::move(value);
    }
    newRecord_ = false;
}

void DocumentRecord::takeSgf(std::string_view text) {
    treeHeld_ = true;
    newRecord_ = true;
    outlined_ = true;
    document_.read(text);
    if (document_.gameCount() == 0) {
        takeMoveRecord({});
        return;
    }
    takeRootInfo();
}

void DocumentRecord::takeMoveRecord(const ReadMoves& read) {
    treeHeld_ = false;
    newRecord_ = true;
    // The outline of an earlier SGF file does not belong to this record: the sequence viewer
    // must not offer its branches.
    outlined_ = false;
    state_.List3.clear();
    showReadMoves(read, state_);
    // The fields the file names, with the labels its reader made of them; the others stay.
    GameInfo info = read.info;
    for (int f = 0; f < kGameInfoFields; ++f)
        if (info.Fields[f].empty()) info.Fields[f] = std::move(state_.Info.Fields[f]);
    state_.Info = std::move(info);
    SgfGames games = readSgfGames(sgfRecordText(state_));
    document_.reset(games.games.empty() ? GameTree{} : std::move(games.games.front()));
}

void DocumentRecord::holdTree(bool held) {
    treeHeld_ = held;
    showTreeText();
}

void DocumentRecord::showTreeText() {
    const bool held = document_.gameCount() > 0;
    const int game = held ? document_.position().game : -1;
    const std::uint64_t revision = document_.revision();
    if (!treeHeld_ || !held) {
        state_.SgfText.clear();
        treeGame_ = -1;
    }
    const bool treeStale =
        treeHeld_ && held &&
        (game != treeGame_ || revision != treeRevision_ || state_.SgfText.empty());
    const bool outlineStale =
        outlined_ && held && (game != outlineGame_ || revision != outlineRevision_);
    if (!treeStale && !outlineStale) return;
    // The tree window and the outline read a game tree without line breaks outside values.
    const std::string whole = document_.gameText(game);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < whole.size();) {
        const std::size_t end = std::min(whole.find('\n', start), whole.size());
        std::string_view line(whole.data() + start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    std::string text = joinSgfLines(lines);
    if (outlineStale) {
        state_.List3 = propertyOutline(text);
        outlineGame_ = game;
        outlineRevision_ = revision;
    }
    if (treeStale) {
        state_.SgfText = std::move(text);
        treeGame_ = game;
        treeRevision_ = revision;
    }
}

std::optional<DocumentRecord::HeldLine> DocumentRecord::boardLineHeld() const {
    if (line_.slotCount() == 0) return std::nullopt;
    const int last = state_.lastMoveInRecord();
    const GameTree& shown = document_.currentGame();
    const auto plays = [this, &shown](int node, int slot) {
        int col = state_.MoveCol[slot], row = state_.MoveRow[slot];
        if (!state_.onBoard(col, row)) col = row = kPassCoord;
        if (state_.BoardRotated) turnOnBoard(state_.BoardSize, col, row);
        return playsMove(shown.nodes[node], state_.MoveColour[slot], {col, row});
    };
    int k = 1;
    while (k <= last && k < line_.slotCount() && plays(line_.slotNode(k), k)) ++k;
    if (k > last) return std::nullopt;
    HeldLine held{line_.line[line_.slotEnd(k - 1) - 1], k};
    for (; held.firstMissing <= last; ++held.firstMissing) {
        const std::vector<int>& children = shown.nodes[held.node].children;
        const auto next = std::find_if(children.begin(), children.end(),
                                       [&](int child) { return plays(child, held.firstMissing); });
        if (next == children.end()) break;
        held.node = *next;
    }
    return held;
}

VariationShown DocumentRecord::showVariation(const std::vector<int>& path) {
    VariationShown shown;
    if (document_.gameCount() == 0 || path.empty()) return shown;
    const GameTree& game = document_.currentGame();
    const std::vector<int> starts = variationStarts(game);
    const auto startOf = [&](int variation) {
        return variation >= 1 && variation <= static_cast<int>(starts.size())
                   ? starts[variation - 1]
                   : -1;
    };
    const auto endOf = [&](int node) { return variationEnd(game, node); };
    if (startOf(path.back()) < 0) return shown;
    const int end = endOf(startOf(path.back()));
    const std::vector<int> through = game.pathTo(end);
    for (int variation : path)
        if (std::find(through.begin(), through.end(), startOf(variation)) == through.end())
            return shown;

    document_.choose({document_.position().game, end});
    const auto indexOf = [this](int node) {
        return static_cast<std::size_t>(std::find(line_.line.begin(), line_.line.end(), node) -
                                        line_.line.begin());
    };
    // The slot a node of the line belongs to; nodes after the record's last slot belong to it.
    const auto slotAt = [this](std::size_t index) {
        return static_cast<int>(
            std::upper_bound(line_.slotStarts.begin(), line_.slotStarts.end(), index) -
            line_.slotStarts.begin() - 1);
    };
    // The number of the move a node of the line plays, 0 for none. Move k's node starts slot
    // k, the root's too when it holds the first move.
    const auto moveAt = [this](std::size_t index) {
        const auto at =
            std::lower_bound(line_.slotStarts.begin() + 1, line_.slotStarts.end(), index);
        return at != line_.slotStarts.end() && *at == index
                   ? static_cast<int>(at - line_.slotStarts.begin())
                   : 0;
    };
    shown.found = true;
    for (int variation : path) {
        const std::size_t last = indexOf(endOf(startOf(variation)));
        int firstMove = 0;
        for (std::size_t i = indexOf(startOf(variation)); i <= last && firstMove == 0; ++i)
            firstMove = moveAt(i);
        shown.firstMoves.push_back(firstMove);
    }
    shown.lastMove = slotAt(indexOf(end));
    shown.cut = !line_.message.empty();
    return shown;
}

void DocumentRecord::followBoardLine() {
    if (document_.gameCount() == 0) return;
    const auto held = boardLineHeld();
    if (!held) return;
    // The board shows another line (a branch laid out by a window, moves written by a route
    // that keeps no tree): the document's position follows it as far as the document holds
    // it, and takes in the moves beyond as a line of its own, so that the next change applies
    // to the line on the board.
    const int last = state_.lastMoveInRecord();
    const int game = document_.position().game;
    if (held->firstMissing > last) {
        document_.choose({game, held->node});
        return;
    }
    int node = held->node;
    document_.editTo(game, [&](GameTree& tree) {
        for (int slot = held->firstMissing; slot <= last; ++slot) {
            node = tree.addChild(node);
            tree.nodes[node].properties.push_back(moveProperty(
                state_.MoveColour[slot], recordPoint(state_.MoveCol[slot], state_.MoveRow[slot])));
        }
        return node;
    });
}

void DocumentRecord::playMove(int k, int col, int row, int colour, bool asVariation) {
    followBoardLine();
    // No line laid out (no game held) has no position to play from.
    if (k < 1 || k > line_.slotCount() || line_.slotEnd(k - 1) == 0) return;
    const int from = line_.line[line_.slotEnd(k - 1) - 1];
    const std::size_t nextAt = line_.slotEnd(k - 1);
    const int next = nextAt < line_.line.size() ? line_.line[nextAt] : -1;
    SgfProperty move = moveProperty(colour, recordPoint(col, row));
    document_.editTo(document_.position().game, [&](GameTree& game) {
        if (asVariation || next < 0) {
            // The same move already on record is followed, not recorded twice.
            for (int child : game.nodes[from].children)
                if (game.nodes[child].properties == std::vector{move}) return child;
            const int added = game.addChild(from);
            game.nodes[added].properties.push_back(std::move(move));
            return added;
        }
        // The line shown goes on differently from here: its continuation is replaced.
        // Removing a subtree rebuilds the node list, so the node is looked up by number each
        // time; its descendants all come after it, so its own number stays.
        game.nodes[next].properties = {std::move(move)};
        while (!game.nodes[next].children.empty())
            game.removeSubtree(game.nodes[next].children.back());
        return next;
    });
}

void DocumentRecord::cutAfter(int k) {
    followBoardLine();
    if (k < 0 || k >= line_.slotCount()) return;
    const std::size_t nextAt = line_.slotEnd(k);
    if (nextAt >= line_.line.size()) return;
    const int last = line_.line[nextAt - 1];
    const int next = line_.line[nextAt];
    document_.editTo(document_.position().game, [&](GameTree& game) {
        game.removeSubtree(next);
        return last;
    });
}

void DocumentRecord::setComment(int k, const std::string& text) {
    followBoardLine();
    if (k < 0 || k >= line_.slotCount()) return;
    const GameTree& shown = document_.currentGame();
    const std::string before = slotComment(shown, line_, k);
    // The commentary box shows line breaks without their CR: a comment only shown is no edit.
    const auto withoutCr = [](std::string t) {
        std::erase(t, '\r');
        return t;
    };
    if (withoutCr(text) == withoutCr(before) || (isBlank(text) && before.empty())) return;
    const int owner = line_.slotNode(k);
    const std::vector<int> others(line_.line.begin() + line_.slotStarts[k] + 1,
                                  line_.line.begin() + line_.slotEnd(k));
    document_.edit(
        document_.position().game,
        [&](GameTree& game) {
            game.nodes[owner].setText("C", isBlank(text) ? std::string() : text);
            // The position's comment is now all in its first node.
            for (int node : others) game.nodes[node].remove("C");
            return true;
        },
        // The characters typed into one position's box are one step of the history.
        document_.position(), "comment " + std::to_string(owner));
}

void DocumentRecord::startWithBlackMoves(const std::vector<BoardPoint>& points) {
    document_.editTo(document_.position().game, [&](GameTree& game) {
        int at = 0;
        for (const BoardPoint& point : points) {
            at = game.addChild(at);
            game.nodes[at].properties.push_back(
                moveProperty(kBlack, recordPoint(point.col, point.row)));
        }
        return at;
    });
}

void DocumentRecord::clear() {
    treeHeld_ = false;
    newRecord_ = true;
    outlined_ = false;
    clearGameInfo(state_.Info);
    // The root of a record made in the program: the fields the clear kept, and what other
    // programs need.
    GameTree game;
    SgfNode& root = game.nodes.emplace_back();
    for (int f = 0; f < kGameInfoFields; ++f) {
        std::string text = state_.Info.Fields[f];
        if (text.empty()) text = defaultRootValue(InfoField(f), state_.BoardSize);
        if (!text.empty()) root.setText(GameInfoNames[f], text);
    }
    document_.reset(std::move(game));
}

bool DocumentRecord::holdsUndecodedText(std::string_view commentary) const {
    if (holdsReplacementCharacter(commentary) ||
        std::any_of(state_.Info.Fields.begin(), state_.Info.Fields.end(),
                    [](const std::string& field) { return holdsReplacementCharacter(field); }))
        return true;
    return document_.gameCount() > 0 &&
           holdsReplacementCharacter(document_.gameText(document_.position().game));
}

void DocumentRecord::prepareForSave(const std::string& commentary) {
    followBoardLine();
    setComment(std::clamp(state_.MoveCount, 0, line_.slotCount() - 1), commentary);
    setInfoField(state_.Info, InfoField::AP, std::string(kApplicationName));
    takeGameInfo(state_.Info);
}

void DocumentRecord::takeRootInfo() {
    if (document_.gameCount() == 0 || document_.currentGame().nodes.empty()) return;
    const SgfNode& root = document_.currentGame().nodes.front();
    for (int f = 0; f < kGameInfoFields; ++f) {
        const SgfProperty* p = root.find(GameInfoNames[f]);
        state_.Info.Fields[f] = p != nullptr ? asInfoReads(p->values.front()) : std::string();
        rootInfo_[f] = root.text(GameInfoNames[f]);
    }
    // A field given only under another name (EV from TE) shows that value.
    for (const AlternativeInfo& alternative : kAlternativeInfo) {
        std::string& field = state_.Info[alternative.field];
        if (const SgfProperty* p = root.find(alternative.name); p != nullptr && field.empty())
            field = alternativeInfoText(alternative, asInfoReads(p->values.front()));
    }
    refreshInfoLabels(state_.Info);
}

void DocumentRecord::setGameInfoField(int index, const std::string& text) {
    if (index < 0 || index >= kGameInfoFields) return;
    setInfoField(state_.Info, index, text);
    // The charset follows the file written; a record without a game takes the field at save.
    if (index == int(InfoField::CA) || document_.gameCount() == 0) return;
    const std::string_view name = GameInfoNames[index];
    document_.edit(
        document_.position().game,
        [&](GameTree& game) {
            SgfNode& root = game.nodes.front();
            if (root.text(name) == text) return false;
            setRootInfo(root, index, text);
            return true;
        },
        document_.position(), "info " + std::string(name));
}

void DocumentRecord::takeGameInfo(const GameInfo& info) {
    const SgfNode& root = document_.currentGame().nodes.front();
    // A field that only shows what a property of another name gave it (EV from TE) is not
    // written as a property of its own.
    std::array<std::optional<std::string>, kGameInfoFields> given;
    for (const AlternativeInfo& alternative : kAlternativeInfo)
        if (const SgfProperty* p = root.find(alternative.name))
            given[int(alternative.field)] =
                alternativeInfoText(alternative, asInfoReads(p->values.front()));
    std::vector<int> changed;
    for (int f = 0; f < kGameInfoFields; ++f) {
        if (f == int(InfoField::CA)) continue;  // the charset follows the file written
        const SgfProperty* p = root.find(GameInfoNames[f]);
        std::string wanted = info.Fields[f];
        if (wanted.empty()) wanted = defaultRootValue(InfoField(f), state_.BoardSize);
        if (p != nullptr ? asInfoReads(p->values.front()) == wanted
                         : wanted.empty() || given[f] == wanted)
            continue;
        changed.push_back(f);
    }
    if (changed.empty()) return;
    document_.edit(
        document_.position().game,
        [&](GameTree& game) {
            for (int f : changed) {
                std::string wanted = info.Fields[f];
                if (wanted.empty()) wanted = defaultRootValue(InfoField(f), state_.BoardSize);
                setRootInfo(game.nodes.front(), f, wanted);
            }
            return true;
        },
        document_.position());
}

}  // namespace kelmaz
