#include "tree/SgfCollection.h"

#include "base/SgfEscape.h"
#include "tree/SgfLex.h"

namespace kelmaz {

namespace {

bool rootOnly(std::string_view name) {
    return name == "FF" || name == "GM" || name == "CA" || name == "AP";
}

std::string* headerField(GameHeader& header, std::string_view name) {
    if (name == "PB") return &header.black;
    if (name == "PW") return &header.white;
    if (name == "BR") return &header.blackRank;
    if (name == "WR") return &header.whiteRank;
    if (name == "DT") return &header.date;
    if (name == "RE") return &header.result;
    if (name == "EV") return &header.event;
    if (name == "SZ") return &header.size;
    return nullptr;
}

class Indexer {
  public:
    Indexer(std::string_view text, std::size_t maxGames) : text_(text), maxGames_(maxGames) {}

    std::vector<GameTreeRange> run() {
        sgfscan::walk(
            text_, [this](const sgfscan::ValueRef& v) { value(v); },
            [this](std::size_t pos, char c) { structure(pos, c); });
        if (!levels_.empty()) finish(text_.size(), true);
        if (games_.size() > maxGames_) games_.resize(maxGames_);
        return std::move(games_);
    }

  private:
    struct Level {
        bool mainLine = true;   // the variation continues the main line
        bool hadChild = false;  // a variation already opened inside it
        std::size_t open = 0;   // position of its "("
        int nodes = 0;          // nodes read in it so far
    };

    bool full() const { return games_.size() >= maxGames_; }

    void start(std::size_t pos) {
        game_ = GameTreeRange{};
        game_.begin = pos;
        levels_.assign(1, Level{true, false, pos, 0});
        gameNodes_ = 0;
        rootNode_ = false;
        nodeOnMain_ = false;
    }

    void finish(std::size_t end, bool complete) {
        game_.end = end;
        game_.complete = complete;
        // Brackets around text without a node (a note between games) are no game.
        if (gameNodes_ > 0) games_.push_back(std::move(game_));
        levels_.clear();
    }

    void structure(std::size_t pos, char c) {
        if (full()) return;
        if (c == '(') {
            if (levels_.empty()) return start(pos);
            Level& parent = levels_.back();
            const bool mainLine = parent.mainLine && !parent.hadChild;
            parent.hadChild = true;
            levels_.push_back(Level{mainLine, false, pos, 0});
        } else if (c == ';') {
            if (levels_.empty()) return;
            Level& level = levels_.back();
            rootNode_ = levels_.size() == 1 && level.nodes == 0;
            ++level.nodes;
            ++gameNodes_;
            nodeOnMain_ = level.mainLine;
        } else if (!levels_.empty()) {
            levels_.pop_back();
            if (levels_.empty()) finish(pos + 1, true);
        }
    }

    void value(const sgfscan::ValueRef& v) {
        if (levels_.empty() || full()) return;
        if (v.close >= text_.size()) return;  // a value never closed: the text ends in it
        Level& level = levels_.back();
        if (levels_.size() == 1 && level.nodes == 0) {
            // Properties right after the game's "(" without a ";": its root node, as the
            // readers take it.
            level.nodes = 1;
            ++gameNodes_;
            rootNode_ = true;
            nodeOnMain_ = true;
        }
        if (rootOnly(v.name) && levels_.size() > 1 && level.nodes == 1) {
            // A game's root inside an unfinished tree: the tree lacks its ")".
            const std::size_t open = level.open;
            levels_.resize(1);
            finish(open, false);
            if (full()) return;
            start(open);
            levels_.back().nodes = 1;
            gameNodes_ = 1;
            rootNode_ = true;
            nodeOnMain_ = true;
        }
        if (!v.firstOfProperty) return;
        if (rootNode_) {
            if (std::string* field = headerField(game_.header, v.name))
                *field = unescapeSgfValue(sgfscan::rawValue(text_, v));
        }
        if (nodeOnMain_ && sgfscan::isMoveProperty(v.name)) ++game_.header.moves;
    }

    std::string_view text_;
    std::size_t maxGames_;
    std::vector<GameTreeRange> games_;
    GameTreeRange game_;
    std::vector<Level> levels_;  // the open variations of the game being read, outermost first
    int gameNodes_ = 0;          // nodes of the game being read
    bool rootNode_ = false;      // the node being read is the game's first
    bool nodeOnMain_ = false;    // the node being read lies on the main line
};

}  // namespace

std::vector<GameTreeRange> indexGameTrees(std::string_view text, std::size_t maxGames) {
    if (maxGames == 0) return {};
    return Indexer(text, maxGames).run();
}

}  // namespace kelmaz
