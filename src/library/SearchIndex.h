#pragma once
// The library's search index, a file beside its database, memory-mapped when searched. It
// holds, for every 19-line game in the order of its database id:
//   - a fixed-size entry: the id, where its steps start, who won, and bitmaps of the points
//     that ever held a black and a white stone (the first filter of every search);
//   - how each of its corners began (CornerOpenings.h), which decides most corner searches;
//   - its steps with the captures written out, so that a search replays a game by writing
//     cells, without looking for liberties, and the last change of each point marked, so that
//     a search knows when a point's state is settled for the rest of the game;
// and a table, sorted by key, of the position hashes (all symmetries and colour swap folded
// together) of every position with at most kHashedStones stones, with the game's entry number:
// a full-board position finds its candidate games by a binary search; and for every point and
// colour the set of games (one bit each) in which a stone of that colour ever stood there, so
// that a shape fixed in place finds its candidates a word of 64 games at a time.
// Everything read from the file is checked against its size before it is used.
//
// Adding games writes a new file from the old one and the new games alone: the old sections
// are copied through a small buffer (the key table merged with the new keys), and games that
// left the database stay in place marked removed, so that memory grows with the games added,
// not with the library.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "library/CornerOpenings.h"
#include "library/LibraryMoves.h"

namespace kelmaz::library {

inline constexpr int kHashedStones = 50;

using RowBits = std::array<std::uint32_t, kLines>;  // bit x of row y: point (x, y)

struct IndexedGame {
    std::int64_t id = 0;
    std::uint32_t firstStep = 0;
    std::uint16_t stepCount = 0;
    Winner winner = Winner::Unknown;
    std::uint8_t removed = 0;  // 1: the game left the database; searches pass over it
    RowBits everBlack{};
    RowBits everWhite{};
    std::uint32_t reserved2 = 0;
};
static_assert(sizeof(IndexedGame) == 176);

struct PositionKey {
    std::uint32_t key = 0;   // the upper half of the canonical hash
    std::uint32_t game = 0;  // entry number in the game table
    auto operator<=>(const PositionKey&) const = default;
};

inline std::uint32_t positionKey(std::uint64_t canonicalHash) {
    return static_cast<std::uint32_t>(canonicalHash >> 32);
}

class SearchIndex;

// Collects games and writes the index file.
class IndexBuilder {
  public:
    // A 19-line game's moves and setup stones (without captures).
    void add(std::int64_t id, const std::vector<Step>& moves, Winner winner);
    std::size_t size() const { return games_.size(); }
    // Writes the file through a temporary file and a rename: the games of `base` when one is
    // given (those whose ids are in `removed` marked removed), then the games added here.
    // False when that fails.
    bool write(const std::string& path, std::int64_t generation, const SearchIndex* base = nullptr,
               std::vector<std::int64_t> removed = {});

  private:
    std::vector<IndexedGame> games_;
    std::vector<CornerOpenings> openings_;
    std::vector<Step> steps_;
    std::vector<PositionKey> keys_;
    std::vector<int> taken_;
    std::vector<std::uint32_t> gameKeys_;
};

class SearchIndex {
  public:
    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // Maps the file; nothing when it is missing, damaged or of another version.
    static std::unique_ptr<SearchIndex> open(const std::string& path);

    std::int64_t generation() const { return generation_; }
    // The entries, removed ones included.
    std::span<const IndexedGame> games() const { return games_; }
    std::uint64_t removedCount() const { return removedCount_; }
    // How the corners of the game with this entry number began.
    const CornerOpenings& openings(std::size_t entry) const { return openings_[entry]; }
    // The largest id of a game neither removed nor in `removed` (sorted); 0 when none.
    std::int64_t lastLiveId(const std::vector<std::int64_t>& removed) const;
    // The steps of one game of games(); none when a damaged entry points outside the file.
    std::span<const Step> steps(const IndexedGame& game) const {
        if (std::uint64_t{game.firstStep} + game.stepCount > steps_.size()) return {};
        return steps_.subspan(game.firstStep, game.stepCount);
    }
    // The entry numbers of the games that may hold a position of this canonical hash, sorted,
    // each once.
    std::vector<std::uint32_t> candidates(std::uint64_t canonicalHash) const;
    // One bit per game (bit g % 64 of word g / 64): a stone of `colour` ever stood on `point`.
    std::span<const std::uint64_t> gamesWith(PointState colour, int point) const {
        const std::size_t words = gameWords();
        return everStone_.subspan(
            (static_cast<std::size_t>(colour == PointState::White) * kPoints + point) * words,
            words);
    }
    std::size_t gameWords() const { return (games_.size() + 63) / 64; }

  private:
    friend class IndexBuilder;
    SearchIndex() = default;

    int fd_ = -1;  // kept open, so that a new file is written from this one's bytes
    void* map_ = nullptr;
    std::size_t mapSize_ = 0;
    std::int64_t generation_ = 0;
    std::uint64_t removedCount_ = 0;
    std::span<const IndexedGame> games_;
    std::span<const CornerOpenings> openings_;
    std::span<const Step> steps_;
    std::span<const PositionKey> keys_;
    std::span<const std::uint64_t> everStone_;
};

}  // namespace kelmaz::library
