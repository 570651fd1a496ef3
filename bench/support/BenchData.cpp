#include "support/BenchData.h"

#include <algorithm>
#include <array>
#include <random>
#include <utility>

#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "support/FakeBoardHost.h"
#include "support/TestSupport.h"
#include "tree/SgfText.h"

namespace kelmaz::bench {

namespace {

char sgfLetter(int n) { return static_cast<char>('a' + n - 1); }

// Comment pieces in both scripts of a dictionary, with an escaped bracket and a line break.
constexpr std::array<const char*, 8> kCommentPieces = {
    "Standard joseki. ",
    "白はここで手を抜けます。",
    "Black keeps sente; the corner is settled. ",
    "ハメ手に注意、A\\] は悪手。",
    "An old variation,\nrarely played today. ",
    "黒は厚く、白は実利。",
    "The ladder must work for White. ",
    "三々入りの後の定型。\n",
};

std::string comment(std::mt19937& rng) {
    std::string text = "C[";
    const int pieces = std::uniform_int_distribution<int>(1, 2)(rng);
    for (int i = 0; i < pieces; ++i) {
        text += kCommentPieces[std::uniform_int_distribution<std::size_t>(
            0, kCommentPieces.size() - 1)(rng)];
    }
    return text + "]";
}

class TreeWriter {
  public:
    TreeWriter(const TreeShape& shape, const GameState& mainLine)
        : shape_(shape), mainLine_(mainLine), rng_(shape.seed) {}

    std::string write() {
        out_ =
            "(;GM[1]FF[4]CA[UTF-8]AP[bench:1]\nSZ[19]KM[6.5]\nGN[Generated tree]\n"
            "PB[Black player]BR[9d]\nPW[White player]WR[9d]\n"
            "C[A generated tree.\nIts root properties stand on several lines.]\n";
        branch(shape_.branches, 0, true);
        out_ += ")\n";
        return std::move(out_);
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void node(int depth, bool onMainLine) {
        const bool replayable = onMainLine && mainLine_.hasMove(depth);
        const int colour = replayable ? mainLine_.MoveColour[depth] : (depth % 2 ? kBlack : kWhite);
        const int col = replayable ? mainLine_.MoveCol[depth] : pick(1, 19);
        const int row = replayable ? mainLine_.MoveRow[depth] : pick(1, 19);
        out_ += colour == kBlack ? ";B[" : ";W[";
        out_ += sgfLetter(col);
        out_ += sgfLetter(row);
        out_ += ']';
        if (pick(1, 100) <= shape_.commentPercent) out_ += comment(rng_);
        if (shape_.markupPercent > 0 && pick(1, 100) <= shape_.markupPercent) markup();
        if (++nodesOnLine_ == 8) {
            out_ += '\n';
            nodesOnLine_ = 0;
        }
    }

    // Two to four labels on points around the board, and a triangle or a row of them.
    void markup() {
        out_ += "LB";
        const int labels = pick(2, 4);
        for (int i = 0; i < labels; ++i) {
            out_ += '[';
            out_ += sgfLetter(pick(1, 19));
            out_ += sgfLetter(pick(1, 19));
            out_ += ':';
            out_ += static_cast<char>('A' + i);
            out_ += ']';
        }
        if (pick(1, 4) > 1) return;
        const int col = pick(1, 16), row = pick(1, 19);
        out_ += "TR[";
        out_ += sgfLetter(col);
        out_ += sgfLetter(row);
        out_ += ':';
        out_ += sgfLetter(col + pick(0, 3));
        out_ += sgfLetter(row);
        out_ += ']';
    }

    // A run of nodes, then (for more than one leaf) a fork whose first child continues it.
    void branch(int leaves, int depth, bool onMainLine) {
        const int nodes = pick(shape_.minNodes, shape_.maxNodes);
        for (int i = 1; i <= nodes; ++i) node(depth + i, onMainLine);
        if (leaves <= 1) return;
        std::vector<int> shares;
        if (shape_.deep) {
            const int variation = std::max(1, leaves * 7 / 10);
            shares = {leaves - variation, variation};
            if (shares[0] == 0) shares = {1, leaves - 1};
        } else {
            const int children = std::min(leaves, pick(2, 4));
            shares.assign(children, 1);
            for (int rest = leaves - children; rest > 0; --rest) ++shares[pick(0, children - 1)];
        }
        for (std::size_t j = 0; j < shares.size(); ++j) {
            out_ += '(';
            branch(shares[j], depth + nodes, onMainLine && j == 0);
            out_ += ')';
        }
    }

    const TreeShape& shape_;
    const GameState& mainLine_;
    std::mt19937 rng_;
    std::string out_;
    int nodesOnLine_ = 0;
};

}  // namespace

std::filesystem::path corpusFile(const std::string& relative) {
    return test::dataFile("records/" + relative);
}

std::string readFile(const std::filesystem::path& path) { return test::readBytes(path); }

int prisonersOf(const GameState& state) { return state.Prisoners[0] + state.Prisoners[1]; }

GameState captureHeavyRecord(int moves) {
    GameState state;
    BoardOptions options;
    test::FakeBoardHost host;
    RecordDocument document;
    DocumentRecord record(document, state);
    Engine engine(state, options, host, record);
    engine.gCls();
    std::mt19937 rng(7);
    std::vector<std::pair<int, int>> points;
    for (int c = 1; c <= 19; ++c)
        for (int r = 1; r <= 19; ++r) points.emplace_back(c, r);

    while (state.MoveCount < moves) {
        std::shuffle(points.begin(), points.end(), rng);
        const GameState before = state;
        std::pair<int, int> legal{0, 0};
        bool captured = false;
        int tries = 0;
        for (const auto& [c, r] : points) {
            if (state.BoardGrid[c][r] != 0) continue;
            engine.IshiUtu(c, r);
            if (state.MoveCount == before.MoveCount + 1) {
                if (prisonersOf(state) > prisonersOf(before)) {
                    captured = true;
                    break;
                }
                if (legal.first == 0) legal = {c, r};
            }
            state = before;
            if (++tries == 40 && legal.first != 0) break;
        }
        if (captured) continue;
        if (legal.first == 0) break;  // no legal point is left
        engine.IshiUtu(legal.first, legal.second);
    }
    return state;
}

std::string generateTree(const TreeShape& shape, const GameState& mainLine) {
    return TreeWriter(shape, mainLine).write();
}

std::string josekiTree(const GameState& mainLine) {
    TreeShape shape;
    shape.branches = 7700;
    shape.minNodes = 3;
    shape.maxNodes = 13;
    shape.commentPercent = 20;
    shape.seed = 62000;
    return generateTree(shape, mainLine);
}

std::string labelledJosekiTree(const GameState& mainLine) {
    TreeShape shape;
    shape.branches = 7700;
    shape.minNodes = 3;
    shape.maxNodes = 13;
    shape.commentPercent = 20;
    shape.markupPercent = 80;
    shape.seed = 62000;
    return generateTree(shape, mainLine);
}

std::string sgfCollection(std::size_t bytes, const GameState& mainLine) {
    std::string text;
    TreeShape shape;
    shape.branches = 1000;
    shape.deep = true;
    while (text.size() < bytes) {
        text += generateTree(shape, mainLine);
        ++shape.seed;
    }
    return text;
}

void FileTreeLink::showFileTree(const std::string& treeText) {
    if (!Checkg(treeText).empty()) ++syntaxFaults;  // the window would ask; the benchmark goes on
    record.takeSgf(treeText);
    session.loadFileTree();
}

std::string tkiText(const GameState& record) {
    std::string text =
        "fmt=Tki\r\nTitle=Generated\r\nPlayerB=Black,5d\r\nPlayerW=White,4d\r\n"
        "Winner=W,2.5\r\nDate=2020/01/02\r\n[Data]\r\n";
    for (int k = 1; record.hasMove(k); ++k) {
        text += std::to_string(record.MoveCol[k]) + "," + std::to_string(record.MoveRow[k]) + "," +
                (record.MoveColour[k] == kWhite ? "1" : "0") + "," +
                (k % 10 == 0 ? "move " + std::to_string(k) : std::string()) + "\r\n";
    }
    return text;
}

}  // namespace kelmaz::bench
