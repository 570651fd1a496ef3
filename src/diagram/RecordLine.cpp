#include "diagram/RecordLine.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <utility>

#include "engine/Handicap.h"
#include "tree/SgfLex.h"
#include "tree/SgfText.h"

namespace kelmaz {

namespace {

// One entry of the move record as the tree reader loads it: setup stones and moves alike.
struct RecordEntry {
    int col = 0, row = 0, colour = kBlack;
    bool operator==(const RecordEntry&) const = default;
};

// Reads the 5-character tokens "B[pd]" of a move string as the tree reader loads them.
void appendEntries(std::string_view tokens, std::vector<RecordEntry>& out) {
    for (std::size_t i = 0; i + 5 <= tokens.size(); i += 5) {
        const auto coordinate = [](char c) {
            return std::toupper(static_cast<unsigned char>(c)) - 64;
        };
        out.push_back({coordinate(tokens[i + 2]), coordinate(tokens[i + 3]),
                       tokens[i] == 'W' ? kWhite : kBlack});
    }
}

bool isPassEntry(const RecordEntry& e, int size) {
    return e.col < 1 || e.col > size || e.row < 1 || e.row > size;
}

LineMove moveOf(const RecordEntry& e, int size) {
    LineMove move;
    if (!isPassEntry(e, size)) {
        move.col = e.col;
        move.row = e.row;
    }
    move.colour = e.colour;
    return move;
}

// The main line of SGF text (the first line of play, up to its first ")"): the line it gives,
// and its moves in order, to check it against the record.
struct SgfLine {
    LineOfPlay line;
    std::vector<RecordEntry> entries;
};

SgfLine mainLineOfSgf(std::string_view text, int size) {
    SgfLine out;
    std::vector<PlacedStone> pendingSetup;
    bool figureBreak = false, stopped = false;
    std::size_t movesAtNodeStart = 0;
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (stopped) return;
            if (v.name == "FG") {
                // The node's own move starts the figure, or the next move when it has none.
                if (out.line.moves.size() > movesAtNodeStart)
                    out.line.moves[movesAtNodeStart].startsFigure = true;
                else
                    figureBreak = true;
                return;
            }
            if (!sgfscan::isStoneProperty(v.name)) return;
            std::string tokens;
            appendStoneTokens(v.name, sgfscan::rawValue(text, v), tokens);
            std::vector<RecordEntry> stones;
            appendEntries(tokens, stones);
            for (const RecordEntry& e : stones) {
                if (sgfscan::isMoveProperty(v.name)) {
                    out.entries.push_back(e);
                    LineMove move = moveOf(e, size);
                    move.startsFigure = std::exchange(figureBreak, false);
                    move.setupBefore = std::move(pendingSetup);
                    pendingSetup.clear();
                    out.line.moves.push_back(std::move(move));
                } else if (!isPassEntry(e, size)) {
                    (out.line.moves.empty() ? out.line.setup : pendingSetup)
                        .push_back({e.col, e.row, e.colour});
                }
            }
        },
        [&](std::size_t, char c) {
            if (c == ')') stopped = true;
            if (c == ';') movesAtNodeStart = out.line.moves.size();
        });
    return out;
}

// The leading black stones of the record, when they stand exactly on the handicap points of
// their number (in any order).
int leadingHandicapStones(const std::vector<RecordEntry>& entries, int size) {
    int count = 0;
    while (count < int(entries.size()) && entries[std::size_t(count)].colour == kBlack) ++count;
    for (int n = std::min(count, kMaxHandicap); n >= kMinHandicap; --n) {
        std::vector<BoardPoint> points = handicapPoints(n, size);
        if (points.empty()) continue;
        const bool all =
            std::all_of(entries.begin(), entries.begin() + n, [&](const RecordEntry& e) {
                return std::find(points.begin(), points.end(), BoardPoint{e.col, e.row}) !=
                       points.end();
            });
        if (all) return n;
    }
    return 0;
}

}  // namespace

LineOfPlay lineOfRecord(const GameState& state) {
    const int size = state.BoardSize;
    std::vector<RecordEntry> entries;
    for (int k = 1; state.hasMove(k); ++k)
        entries.push_back(
            {state.MoveCol[k], state.MoveRow[k], state.MoveColour[k] == kWhite ? kWhite : kBlack});

    if (!state.SgfText.empty()) {
        SgfLine sgfLine = mainLineOfSgf(state.SgfText, size);
        if (sgfLine.entries == entries) {
            sgfLine.line.boardSize = size;
            sgfLine.line.info = state.Info;
            return std::move(sgfLine.line);
        }
    }

    LineOfPlay line;
    line.boardSize = size;
    line.info = state.Info;
    const int handicap = leadingHandicapStones(entries, size);
    for (int i = 0; i < int(entries.size()); ++i) {
        const RecordEntry& e = entries[std::size_t(i)];
        if (i < handicap)
            line.setup.push_back({e.col, e.row, kBlack});
        else
            line.moves.push_back(moveOf(e, size));
    }
    return line;
}

}  // namespace kelmaz
