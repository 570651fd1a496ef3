#include "library/ShapeSearch.h"

#include <algorithm>
#include <atomic>
#include <numeric>
#include <optional>
#include <thread>

#include "library/Symmetry.h"

namespace kelmaz::library {

namespace {

struct Match {
    int move = 0;
    int next = kPassPoint;  // the next move's point on the board, kPassPoint when none
    const ShapeImage* image = nullptr;
    int left = 0, top = 0;
};

// Looks for the shape in one game at a time; one per thread. A query has at most sixteen
// images (eight symmetries, two colourings), so the images still looked for are bits of a word.
class GameScanner {
  public:
    explicit GameScanner(const ShapeQuery& query)
        : query_(query), places_(query.images.size()), regions_(query.images.size()) {
        for (std::size_t i = 0; i < query.images.size(); ++i) {
            const ShapeImage& image = query.images[i];
            if (image.fixedLeft < 0) {
                anywhere_ |= 1u << i;
                regions_[i].fill((1u << kLines) - 1);
                continue;
            }
            const std::uint32_t columns = ((1u << image.width) - 1) << image.fixedLeft;
            for (int y = image.fixedTop; y < image.fixedTop + image.height; ++y)
                regions_[i][y] = columns;
            for (const ShapeCell& c : image.cells) {
                const int p = (image.fixedTop + c.dy) * kLines + image.fixedLeft + c.dx;
                covers_[p].push_back({static_cast<std::uint8_t>(i), c.state});
            }
        }
    }

    // `possible`: the fixed images whose stones all stood in the game at some time, when the
    // caller has found them already; nothing to look at them here.
    std::optional<Match> scan(const IndexedGame& game, std::span<const Step> steps,
                              std::optional<std::uint32_t> possible = std::nullopt) {
        if (!filter(game, possible)) return std::nullopt;
        for (std::uint32_t m = live_; m != 0; m &= m - 1) {
            // A shape of empty points alone stands on the empty board before the first move.
            const int i = __builtin_ctz(m);
            if (query_.images[i].stones == 0) return firstPlace(i, steps, 0, 0);
        }
        board_.fill(PointState::Empty);
        // On the empty board a fixed image lacks its stones.
        for (std::size_t i = 0; i < query_.images.size(); ++i)
            missing_[i] = query_.images[i].stones;
        int move = 0;
        changed_.clear();
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const Step s = steps[k];
            if (!isUnnumbered(s)) ++move;
            const int point = stepPoint(s);
            // Points outside every image still looked for can neither make nor spoil a match,
            // now or later (fewer images are looked for as the game goes on): their cells are
            // never read again.
            if (point < kPoints && isSet(interest_, point)) {
                const PointState before = board_[point], after = stepState(s);
                board_[point] = after;
                for (const Cover& c : covers_[point])
                    missing_[c.image] += (before == c.want ? 1 : 0) - (after == c.want ? 1 : 0);
                changed_.push_back(point);
                if (isFinal(s)) retire(point, stepState(s));
            }
            if (changed_.empty() || (k + 1 < steps.size() && isUnnumbered(steps[k + 1]))) continue;
            for (const int p : changed_) {
                if (auto m = matchAround(p, board_[p])) {
                    m->move = move;
                    m->next = nextMove(steps, k + 1);
                    return m;
                }
            }
            changed_.clear();
            if (live_ == 0) return std::nullopt;
        }
        return std::nullopt;
    }

  private:
    // A fixed image's point and the state it asks for there.
    struct Cover {
        std::uint8_t image = 0;
        PointState want = PointState::Empty;
    };

    // The places where each image may stand given the points that ever held each colour.
    bool filter(const IndexedGame& game, std::optional<std::uint32_t> possibleFixed) {
        live_ = 0;
        for (std::size_t i = 0; i < query_.images.size(); ++i) {
            const ShapeImage& image = query_.images[i];
            RowBits& places = places_[i];
            if (image.fixedLeft >= 0 && possibleFixed) {
                // Only a shape without stones takes its place from places_ (firstPlace).
                live_ |= *possibleFixed & (1u << i);
                continue;
            }
            places.fill(0);
            if (image.fixedLeft >= 0) {
                const bool possible =
                    std::all_of(image.cells.begin(), image.cells.end(), [&](const ShapeCell& c) {
                        const int p = (image.fixedTop + c.dy) * kLines + image.fixedLeft + c.dx;
                        return c.state == PointState::Empty ||
                               isSet(c.state == PointState::Black ? game.everBlack : game.everWhite,
                                     p);
                    });
                if (possible) {
                    places[image.fixedTop] = 1u << image.fixedLeft;
                    live_ |= 1u << i;
                }
                continue;
            }
            const int rows = kLines - image.height + 1;
            const std::uint32_t columns = (1u << (kLines - image.width + 1)) - 1;
            std::fill_n(places.begin(), rows, columns);
            for (const ShapeCell& c : image.cells) {
                if (c.state == PointState::Empty) continue;
                const RowBits& ever =
                    c.state == PointState::Black ? game.everBlack : game.everWhite;
                for (int y = 0; y < rows; ++y) places[y] &= ever[y + c.dy] >> c.dx;
            }
            if (std::any_of(places.begin(), places.begin() + rows,
                            [](std::uint32_t r) { return r != 0; }))
                live_ |= 1u << i;
        }
        interest_.fill(0);
        for (std::uint32_t m = live_; m != 0; m &= m - 1) {
            const int i = __builtin_ctz(m);
            for (int y = rowsFrom(i); y < rowsTo(i); ++y) interest_[y] |= regions_[i][y];
        }
        return live_ != 0;
    }

    static bool isSet(const RowBits& bits, int p) {
        return ((bits[p / kLines] >> (p % kLines)) & 1u) != 0;
    }

    // The point `p` keeps `state` for the rest of the game: every place that needs another
    // state there is given up, and an image without places left is no longer looked for.
    void retire(int p, PointState state) {
        for (const Cover& c : covers_[p])
            if (c.want != state && (live_ >> c.image & 1u) != 0) drop(c.image);
        const int px = p % kLines, py = p / kLines;
        for (std::uint32_t m = live_ & anywhere_; m != 0; m &= m - 1) {
            const int i = __builtin_ctz(m);
            const ShapeImage& image = query_.images[i];
            bool cleared = false;
            for (int other = 0; other < 3; ++other) {
                if (other == static_cast<int>(state)) continue;
                for (const ShapeCell& c : image.cellsByState[other]) {
                    const int left = px - c.dx, top = py - c.dy;
                    if (left < 0 || top < 0 || left > kLines - image.width ||
                        top > kLines - image.height)
                        continue;
                    cleared = cleared || ((places_[i][top] >> left) & 1u) != 0;
                    places_[i][top] &= ~(1u << left);
                }
            }
            if (cleared && std::all_of(places_[i].begin(), places_[i].end(),
                                       [](std::uint32_t r) { return r == 0; }))
                drop(i);
        }
    }

    // The rows of the board that image i may cover.
    int rowsFrom(int i) const {
        const ShapeImage& image = query_.images[i];
        return image.fixedLeft >= 0 ? image.fixedTop : 0;
    }
    int rowsTo(int i) const {
        const ShapeImage& image = query_.images[i];
        return image.fixedLeft >= 0 ? image.fixedTop + image.height : kLines;
    }

    void drop(int i) {
        live_ &= ~(1u << i);
        // Only the rows of the dropped image's region change.
        for (int y = rowsFrom(i); y < rowsTo(i); ++y) {
            interest_[y] = 0;
            for (std::uint32_t m = live_; m != 0; m &= m - 1)
                interest_[y] |= regions_[__builtin_ctz(m)][y];
        }
    }

    std::optional<Match> firstPlace(int i, std::span<const Step> steps, int move,
                                    std::size_t from) {
        for (int y = 0; y < kLines; ++y) {
            if (places_[i][y] == 0) continue;
            const int x = __builtin_ctz(places_[i][y]);
            return Match{move, nextMove(steps, from), &query_.images[i], x, y};
        }
        return std::nullopt;
    }

    // A match that the point `p` taking `state` may have completed.
    std::optional<Match> matchAround(int p, PointState state) {
        for (const Cover& c : covers_[p]) {
            if (c.want != state || (live_ >> c.image & 1u) == 0) continue;
            const ShapeImage& image = query_.images[c.image];
            if (missing_[c.image] == 0)
                return Match{0, kPassPoint, &image, image.fixedLeft, image.fixedTop};
        }
        const int px = p % kLines, py = p / kLines;
        for (std::uint32_t m = live_ & anywhere_; m != 0; m &= m - 1) {
            const int i = __builtin_ctz(m);
            const ShapeImage& image = query_.images[i];
            for (const ShapeCell& c : image.cellsByState[static_cast<int>(state)]) {
                const int left = px - c.dx, top = py - c.dy;
                if (left < 0 || top < 0 || left > kLines - image.width ||
                    top > kLines - image.height || ((places_[i][top] >> left) & 1u) == 0)
                    continue;
                if (stands(image, left, top)) return Match{0, kPassPoint, &image, left, top};
            }
        }
        return std::nullopt;
    }

    bool stands(const ShapeImage& image, int left, int top) const {
        const int origin = top * kLines + left;
        return std::all_of(image.cells.begin(), image.cells.end(), [&](const ShapeCell& c) {
            return board_[origin + c.dy * kLines + c.dx] == c.state;
        });
    }

    static int nextMove(std::span<const Step> steps, std::size_t from) {
        for (std::size_t k = from; k < steps.size(); ++k)
            if (!isUnnumbered(steps[k])) return stepPoint(steps[k]);
        return kPassPoint;
    }

    const ShapeQuery& query_;
    std::vector<RowBits> places_;
    std::vector<RowBits> regions_;                    // the points each image may cover
    std::array<std::vector<Cover>, kPoints> covers_;  // the fixed images' points
    std::uint32_t anywhere_ = 0;                      // the images free to stand anywhere
    std::uint32_t live_ = 0;                          // the images still looked for
    RowBits interest_{};
    std::array<PointState, kPoints> board_{};
    // For each fixed image still looked for, how many of its points differ from what it asks:
    // kept up as points change, so that a match needs no look at the whole image.
    std::vector<int> missing_ = std::vector<int>(query_.images.size());
    std::vector<int> changed_;
};

// The next move of a match as the query shows the board: the image's symmetry undone.
std::optional<int> continuationPoint(const ShapeQuery& query, const Match& m) {
    if (m.next >= kPoints) return std::nullopt;
    const Pattern& p = query.pattern;
    const Transformed t = untransformPoint(m.image->symmetry, p.width, p.height,
                                           m.next % kLines - (m.left - m.image->cutLeft),
                                           m.next / kLines - (m.top - m.image->cutTop));
    const int x = p.left + t.x, y = p.top + t.y;
    if (x < 0 || y < 0 || x >= kLines || y >= kLines) return std::nullopt;
    return y * kLines + x;
}

bool fixedWithStones(const ShapeQuery& query) {
    return std::all_of(query.images.begin(), query.images.end(),
                       [](const ShapeImage& i) { return i.fixedLeft >= 0 && i.stones > 0; });
}

struct Candidates {
    std::vector<std::uint32_t> games;   // entry numbers, ascending
    std::vector<std::uint32_t> images;  // for each, the images that may stand in it (bits)
};

// The games in which, for some image, every stone it asks for ever stood on its point, and
// which images those are.
Candidates gamesWithEveryStone(const SearchIndex& index, const ShapeQuery& query) {
    const std::size_t words = index.gameWords();
    const std::size_t images = query.images.size();
    std::vector<std::uint64_t> every(words * images, ~std::uint64_t{0});
    for (std::size_t i = 0; i < images; ++i) {
        const ShapeImage& image = query.images[i];
        const std::span<std::uint64_t> row(every.data() + i * words, words);
        for (const ShapeCell& c : image.cells) {
            if (c.state == PointState::Empty) continue;
            const auto with =
                index.gamesWith(c.state, (image.fixedTop + c.dy) * kLines + image.fixedLeft + c.dx);
            for (std::size_t w = 0; w < words; ++w) row[w] &= with[w];
        }
    }
    Candidates out;
    for (std::size_t w = 0; w < words; ++w) {
        std::uint64_t any = 0;
        for (std::size_t i = 0; i < images; ++i) any |= every[i * words + w];
        for (std::uint64_t bits = any; bits != 0; bits &= bits - 1) {
            const int b = __builtin_ctzll(bits);
            std::uint32_t mask = 0;
            for (std::size_t i = 0; i < images; ++i)
                mask |= static_cast<std::uint32_t>((every[i * words + w] >> b) & 1u) << i;
            out.games.push_back(static_cast<std::uint32_t>(w * 64 + b));
            out.images.push_back(mask);
        }
    }
    return out;
}

// The image as a shape inside one corner; corner -1 when it is not inside one.
CornerShape cornerShape(const ShapeImage& image) {
    CornerShape shape;
    shape.want.fill(-1);
    shape.stones = image.stones;
    // An image without a fixed place (searched anywhere) is no corner shape.
    if (image.fixedLeft < 0 || image.fixedTop < 0) return {};
    for (const ShapeCell& c : image.cells) {
        const int x = image.fixedLeft + c.dx, y = image.fixedTop + c.dy;
        if (x < 0 || x >= kLines || y < 0 || y >= kLines) return {};
        const int p = y * kLines + x;
        const int corner = cornerOf(p);
        if (corner < 0 || (shape.corner >= 0 && corner != shape.corner)) return {};
        shape.corner = corner;
        shape.want[cornerPoint(p)] = static_cast<std::int8_t>(c.state);
    }
    return shape;
}

// The first match in a game among the images `possible`, as the corners' openings tell it;
// nothing when they cannot tell (the game is then replayed).
std::optional<std::optional<Match>> matchByOpenings(const ShapeQuery& query,
                                                    const std::vector<CornerShape>& shapes,
                                                    const CornerOpenings& openings,
                                                    std::span<const Step> steps,
                                                    std::uint32_t possible) {
    int best = -1, bestImage = -1, unknownFrom = -1;
    for (std::uint32_t m = possible; m != 0; m &= m - 1) {
        const int i = __builtin_ctz(m);
        const OpeningVerdict v = judgeOpening(openings[shapes[i].corner], shapes[i]);
        if (v.kind == OpeningVerdict::Kind::Stands && (best < 0 || v.move < best)) {
            best = v.move;
            bestImage = i;
        }
        if (v.kind == OpeningVerdict::Kind::Unknown && (unknownFrom < 0 || v.move < unknownFrom))
            unknownFrom = v.move;
    }
    // An image the openings cannot tell may stand from `unknownFrom` on, before the best found.
    if (unknownFrom >= 0 && (best < 0 || unknownFrom <= best)) return std::nullopt;
    if (best < 0) return std::optional<Match>();
    const ShapeImage& image = query.images[bestImage];
    Match match{best, kPassPoint, &image, image.fixedLeft, image.fixedTop};
    int move = 0;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        if (isUnnumbered(steps[k]) || ++move <= best) continue;
        match.next = stepPoint(steps[k]);
        break;
    }
    return match;
}

struct Tally {
    std::vector<Continuation> next = std::vector<Continuation>(kPoints);
};

}  // namespace

SearchResult searchShape(const SearchIndex& index, const ShapeQuery& query, unsigned threads) {
    const auto games = index.games();
    std::vector<std::uint32_t> chosen, possibleImages;
    const bool byHash = query.fullBoard && query.stones <= kHashedStones;
    const bool byPoints = !byHash && fixedWithStones(query);
    if (byHash) chosen = index.candidates(query.canonicalHash);
    if (byPoints) {
        Candidates c = gamesWithEveryStone(index, query);
        chosen = std::move(c.games);
        possibleImages = std::move(c.images);
    }
    const bool listed = byHash || byPoints;
    // A shape in a corner is mostly decided by how the corners began.
    std::vector<CornerShape> shapes;
    for (const ShapeImage& image : query.images) shapes.push_back(cornerShape(image));
    const bool byOpenings =
        byPoints && std::all_of(shapes.begin(), shapes.end(),
                                [](const CornerShape& s) { return s.corner >= 0; });
    const std::size_t total = listed ? chosen.size() : games.size();

    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    constexpr std::size_t kChunk = 512;
    constexpr std::size_t kAhead = 8;
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, (total + kChunk - 1) / kChunk));
    threads = std::max(threads, 1u);
    std::vector<Tally> tallies(threads);
    // Each chunk's hits apart: the chunks in order hold the games in order, so that the hits
    // need no sorting.
    std::vector<std::vector<SearchHit>> chunkHits((total + kChunk - 1) / kChunk);
    std::atomic<std::size_t> nextChunk{0};
    auto work = [&](Tally& tally) {
        GameScanner scanner(query);
        for (;;) {
            const std::size_t from = nextChunk.fetch_add(kChunk);
            if (from >= total) return;
            const std::size_t to = std::min(total, from + kChunk);
            auto entryAt = [&](std::size_t k) {
                return listed ? chosen[k] : static_cast<std::uint32_t>(k);
            };
            for (std::size_t k = from; k < to; ++k) {
                // Most games are given up after a few steps, so the time goes in waiting for
                // memory: the entries and first steps of the games ahead are asked for early.
                if (k + kAhead < to) {
                    // Games decided by their corners' openings need their steps only for a
                    // hit's next move: those are asked for once the entry, asked for earlier,
                    // has arrived, rather than waiting for it.
                    const std::uint32_t ahead = entryAt(k + kAhead);
                    if (byOpenings) {
                        const auto* openings =
                            reinterpret_cast<const char*>(&index.openings(ahead));
                        for (std::size_t at = 0; at < sizeof(CornerOpenings); at += 64)
                            __builtin_prefetch(openings + at);
                        __builtin_prefetch(&games[ahead]);
                        __builtin_prefetch(index.steps(games[entryAt(k + kAhead / 2)]).data());
                    } else {
                        __builtin_prefetch(index.steps(games[ahead]).data());
                        if (k + 2 * kAhead < to)
                            __builtin_prefetch(&games[entryAt(k + 2 * kAhead)]);
                    }
                }
                const std::uint32_t entry = entryAt(k);
                const IndexedGame& game = games[entry];
                if (game.removed != 0) continue;
                const auto steps = index.steps(game);
                std::optional<std::optional<Match>> told;
                if (byOpenings)
                    told = matchByOpenings(query, shapes, index.openings(entry), steps,
                                           possibleImages[k]);
                const auto match =
                    told ? *told
                         : scanner.scan(game, steps,
                                        byPoints ? std::optional(possibleImages[k]) : std::nullopt);
                if (!match) continue;
                chunkHits[from / kChunk].push_back({game.id, match->move});
                if (const auto point = continuationPoint(query, *match)) {
                    // The wins are counted for the colours as the query shows them: in a
                    // colour-swapped match the game's black played the query's white.
                    const bool swapped = match->image->swapped;
                    Continuation& c = tally.next[*point];
                    ++c.count;
                    c.blackWins += game.winner == (swapped ? Winner::White : Winner::Black);
                    c.whiteWins += game.winner == (swapped ? Winner::Black : Winner::White);
                }
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work, std::ref(tallies[t]));
    work(tallies[0]);
    for (std::thread& t : pool) t.join();

    SearchResult result;
    for (const std::vector<SearchHit>& h : chunkHits)
        result.hits.insert(result.hits.end(), h.begin(), h.end());
    std::vector<Continuation> next(kPoints);
    for (Tally& t : tallies) {
        for (int p = 0; p < kPoints; ++p) {
            next[p].count += t.next[p].count;
            next[p].blackWins += t.next[p].blackWins;
            next[p].whiteWins += t.next[p].whiteWins;
        }
    }
    for (int p = 0; p < kPoints; ++p) {
        if (next[p].count == 0) continue;
        next[p].point = p;
        result.continuations.push_back(next[p]);
    }
    std::stable_sort(
        result.continuations.begin(), result.continuations.end(),
        [](const Continuation& a, const Continuation& b) { return a.count > b.count; });
    return result;
}

}  // namespace kelmaz::library
