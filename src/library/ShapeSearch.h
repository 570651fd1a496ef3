#pragma once
// Position and pattern search over the index: every game (or, for a full-board position with
// few stones, every game its hash names) is first filtered by the points that ever held a
// stone of each colour, then replayed from its steps until the shape first appears. The games
// are shared out over every core.
#include <cstdint>
#include <vector>

#include "library/SearchIndex.h"
#include "library/ShapeQuery.h"

namespace kelmaz::library {

struct SearchHit {
    std::int64_t gameId = 0;
    int move = 0;  // the first move after which the shape stands (0: the empty board)
};

// A move played next from the matched position, in the pattern's own orientation.
struct Continuation {
    int point = 0;  // row * 19 + column of the board as the query shows it
    int count = 0;
    int blackWins = 0;
    int whiteWins = 0;
};

struct SearchResult {
    std::vector<SearchHit> hits;              // in id order
    std::vector<Continuation> continuations;  // most played first
};

// threads 0: one per core.
SearchResult searchShape(const SearchIndex& index, const ShapeQuery& query, unsigned threads = 0);

}  // namespace kelmaz::library
