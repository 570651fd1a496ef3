#include "library/SearchIndex.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "library/CaptureBoard.h"
#include "library/Symmetry.h"

namespace kelmaz::library {

namespace {

constexpr char kMagic[8] = {'K', 'L', 'Z', 'I', 'N', 'D', 'X', '5'};

struct FileHeader {
    char magic[8];
    std::uint32_t hashedStones;
    std::uint32_t gameCount;
    std::uint64_t stepCount;
    std::uint64_t keyCount;
    std::int64_t generation;
    std::uint64_t removedCount;
};
static_assert(sizeof(FileHeader) == 48);

std::size_t padded(std::size_t bytes) { return (bytes + 7) & ~std::size_t{7}; }

std::size_t gameWordsFor(std::size_t games) { return (games + 63) / 64; }

// Where each section of a file with these counts begins, and where the file ends.
struct Layout {
    std::size_t games, openings, steps, keys, everStone, end;
};
Layout layoutFor(std::size_t games, std::size_t steps, std::size_t keys) {
    Layout l{};
    l.games = padded(sizeof(FileHeader));
    l.openings = l.games + padded(games * sizeof(IndexedGame));
    l.steps = l.openings + padded(games * sizeof(CornerOpenings));
    l.keys = l.steps + padded(steps * sizeof(Step));
    l.everStone = l.keys + padded(keys * sizeof(PositionKey));
    l.end = l.everStone + 2 * kPoints * gameWordsFor(games) * sizeof(std::uint64_t);
    return l;
}

// Reads a section of the old file in pieces, through a buffer rather than its mapping, so
// that copying it does not hold it in memory.
template <typename T>
class SectionReader {
  public:
    SectionReader(int fd, std::size_t at, std::size_t count) : fd_(fd), at_(at), left_(count) {}
    // The next piece; empty at the end or on a read error (then failed() is true).
    std::span<const T> next() {
        buffer_.resize(std::min<std::size_t>(left_, kPiece));
        const std::size_t bytes = buffer_.size() * sizeof(T);
        if (bytes == 0) return {};
        if (::pread(fd_, buffer_.data(), bytes, static_cast<off_t>(at_)) !=
            static_cast<ssize_t>(bytes)) {
            failed_ = true;
            left_ = 0;
            return {};
        }
        at_ += bytes;
        left_ -= buffer_.size();
        return buffer_;
    }
    bool failed() const { return failed_; }

  private:
    static constexpr std::size_t kPiece = (1 << 20) / sizeof(T);
    int fd_;
    std::size_t at_, left_;
    std::vector<T> buffer_;
    bool failed_ = false;
};

void markStone(IndexedGame& game, int point, PointState colour) {
    RowBits& bits = colour == PointState::Black ? game.everBlack : game.everWhite;
    bits[point / kLines] |= 1u << (point % kLines);
}

}  // namespace

void IndexBuilder::add(std::int64_t id, const std::vector<Step>& moves, Winner winner) {
    IndexedGame game;
    game.id = id;
    game.winner = winner;
    game.firstStep = static_cast<std::uint32_t>(steps_.size());
    CaptureBoard board;
    PositionHash hash;
    int stones = 0;
    const auto gameNumber = static_cast<std::uint32_t>(games_.size());
    gameKeys_.assign(1, positionKey(hash.canonical()));
    for (const Step move : moves) {
        const int point = stepPoint(move);
        const PointState colour = stepState(move);
        steps_.push_back(move);
        if (point >= kPoints) continue;
        markStone(game, point, colour);
        const PointState before = board.at(point);
        if (before != PointState::Empty) hash.toggle(point, before);  // a stone replaced
        stones += before == PointState::Empty ? 1 : 0;
        hash.toggle(point, colour);
        taken_.clear();
        board.play(point, colour, taken_);
        for (const int p : taken_) {
            steps_.push_back(makeStep(p, PointState::Empty, true));
            hash.toggle(p, opposite(colour));
        }
        stones -= static_cast<int>(taken_.size());
        if (stones <= kHashedStones) gameKeys_.push_back(positionKey(hash.canonical()));
    }
    game.stepCount = static_cast<std::uint16_t>(steps_.size() - game.firstStep);
    std::bitset<kPoints> settled;
    for (std::size_t k = steps_.size(); k-- > game.firstStep;) {
        const int point = stepPoint(steps_[k]);
        if (point >= kPoints || settled[point]) continue;
        settled.set(point);
        steps_[k] = markedFinal(steps_[k]);
    }
    openings_.push_back(cornerOpenings(std::span(steps_).subspan(game.firstStep)));
    std::sort(gameKeys_.begin(), gameKeys_.end());
    gameKeys_.erase(std::unique(gameKeys_.begin(), gameKeys_.end()), gameKeys_.end());
    for (const std::uint32_t key : gameKeys_) keys_.push_back({key, gameNumber});
    games_.push_back(game);
}

bool IndexBuilder::write(const std::string& path, std::int64_t generation, const SearchIndex* base,
                         std::vector<std::int64_t> removed) {
    std::sort(removed.begin(), removed.end());
    const std::size_t baseGames = base != nullptr ? base->games_.size() : 0;
    const std::size_t baseSteps = base != nullptr ? base->steps_.size() : 0;
    const std::size_t baseKeys = base != nullptr ? base->keys_.size() : 0;
    const Layout from = layoutFor(baseGames, baseSteps, baseKeys);
    const std::size_t games = baseGames + games_.size();
    FileHeader header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.hashedStones = kHashedStones;
    header.gameCount = static_cast<std::uint32_t>(games);
    header.stepCount = baseSteps + steps_.size();
    header.keyCount = baseKeys + keys_.size();
    header.generation = generation;
    header.removedCount = base != nullptr ? base->removedCount_ : 0;
    // The new games follow the old ones: their steps and entry numbers move up.
    for (IndexedGame& g : games_) g.firstStep += static_cast<std::uint32_t>(baseSteps);
    for (PositionKey& k : keys_) k.game += static_cast<std::uint32_t>(baseGames);
    std::sort(keys_.begin(), keys_.end());

    const std::string temporary = path + ".new";
    bool readFailed = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        auto put = [&out](const void* data, std::size_t bytes) {
            out.write(static_cast<const char*>(data), static_cast<std::streamsize>(bytes));
        };
        auto pad = [&out](std::size_t bytes) {
            static constexpr char zeros[8] = {};
            out.write(zeros, static_cast<std::streamsize>(padded(bytes) - bytes));
        };
        put(&header, sizeof header);
        pad(sizeof header);

        if (base != nullptr) {
            SectionReader<IndexedGame> old(base->fd_, from.games, baseGames);
            for (auto piece = old.next(); !piece.empty(); piece = old.next()) {
                std::vector<IndexedGame> copy(piece.begin(), piece.end());
                for (IndexedGame& g : copy) {
                    if (g.removed != 0 || !std::binary_search(removed.begin(), removed.end(), g.id))
                        continue;
                    g.removed = 1;
                    ++header.removedCount;
                }
                put(copy.data(), copy.size() * sizeof(IndexedGame));
            }
            readFailed = readFailed || old.failed();
        }
        put(games_.data(), games_.size() * sizeof(IndexedGame));
        pad(games * sizeof(IndexedGame));

        // A section of the old file as it is, then the new games' part of it.
        auto append = [&]<typename T>(std::size_t at, std::size_t count,
                                      const std::vector<T>& added) {
            if (base != nullptr) {
                SectionReader<T> old(base->fd_, at, count);
                for (auto piece = old.next(); !piece.empty(); piece = old.next())
                    put(piece.data(), piece.size_bytes());
                readFailed = readFailed || old.failed();
            }
            put(added.data(), added.size() * sizeof(T));
            pad((count + added.size()) * sizeof(T));
        };
        append(from.openings, baseGames, openings_);
        append(from.steps, baseSteps, steps_);

        // The old key table and the new keys, merged (both are sorted).
        {
            SectionReader<PositionKey> old(base != nullptr ? base->fd_ : -1, from.keys, baseKeys);
            std::vector<PositionKey> merged;
            auto fresh = keys_.begin();
            for (auto piece = old.next(); !piece.empty(); piece = old.next()) {
                merged.clear();
                for (const PositionKey& k : piece) {
                    for (; fresh != keys_.end() && *fresh < k; ++fresh) merged.push_back(*fresh);
                    merged.push_back(k);
                }
                put(merged.data(), merged.size() * sizeof(PositionKey));
            }
            readFailed = readFailed || old.failed();
            const auto rest = static_cast<std::size_t>(keys_.end() - fresh);
            put(keys_.data() + (keys_.size() - rest), rest * sizeof(PositionKey));
            pad(header.keyCount * sizeof(PositionKey));
        }

        // Each point's game bits: the old row, then the new games' bits after the old games.
        const std::size_t words = gameWordsFor(games), baseWords = gameWordsFor(baseGames);
        const std::size_t freshWords = gameWordsFor(games_.size());
        std::vector<std::uint64_t> fresh(2 * kPoints * freshWords);
        for (std::size_t g = 0; g < games_.size(); ++g) {
            for (int colour = 0; colour < 2; ++colour) {
                const RowBits& rows = colour == 0 ? games_[g].everBlack : games_[g].everWhite;
                for (int y = 0; y < kLines; ++y)
                    for (std::uint32_t r = rows[y]; r != 0; r &= r - 1) {
                        const int p = y * kLines + __builtin_ctz(r);
                        fresh[(colour * kPoints + p) * freshWords + g / 64] |= std::uint64_t{1}
                                                                               << (g % 64);
                    }
            }
        }
        std::vector<std::uint64_t> row(words);
        for (int colour = 0; colour < 2; ++colour) {
            for (int p = 0; p < kPoints; ++p) {
                std::fill(row.begin(), row.end(), 0);
                const std::size_t rowNumber = static_cast<std::size_t>(colour * kPoints + p);
                if (base != nullptr && baseWords > 0) {
                    const std::size_t bytes = baseWords * sizeof(std::uint64_t);
                    readFailed = readFailed ||
                                 ::pread(base->fd_, row.data(), bytes,
                                         static_cast<off_t>(from.everStone + rowNumber * bytes)) !=
                                     static_cast<ssize_t>(bytes);
                }
                const std::size_t shift = baseGames % 64;
                for (std::size_t w = 0; w < freshWords; ++w) {
                    const std::uint64_t bits = fresh[rowNumber * freshWords + w];
                    const std::size_t at = baseGames / 64 + w;
                    row[at] |= bits << shift;
                    if (shift != 0 && at + 1 < words) row[at + 1] |= bits >> (64 - shift);
                }
                put(row.data(), row.size() * sizeof(std::uint64_t));
            }
        }
        out.seekp(0);
        put(&header, sizeof header);
        out.flush();
        if (!out || readFailed) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

SearchIndex::~SearchIndex() {
    if (map_ != nullptr) munmap(map_, mapSize_);
    if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<SearchIndex> SearchIndex::open(const std::string& path) {
    std::unique_ptr<SearchIndex> index(new SearchIndex);
    index->fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (index->fd_ < 0) return nullptr;
    struct stat st {};
    if (fstat(index->fd_, &st) != 0 || st.st_size < static_cast<off_t>(sizeof(FileHeader)))
        return nullptr;
    void* map =
        mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_SHARED, index->fd_, 0);
    if (map == MAP_FAILED) return nullptr;
    index->map_ = map;
    index->mapSize_ = static_cast<std::size_t>(st.st_size);

    const auto* bytes = static_cast<const unsigned char*>(map);
    FileHeader header;
    std::memcpy(&header, bytes, sizeof header);
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 ||
        header.hashedStones != kHashedStones)
        return nullptr;
    // Every size is checked before it is multiplied, so a damaged header cannot overflow.
    const std::size_t total = index->mapSize_;
    if (header.gameCount > total / sizeof(IndexedGame) || header.stepCount > total / sizeof(Step) ||
        header.keyCount > total / sizeof(PositionKey))
        return nullptr;
    const Layout at = layoutFor(header.gameCount, header.stepCount, header.keyCount);
    if (at.end != total) return nullptr;
    index->generation_ = header.generation;
    index->removedCount_ = header.removedCount;
    index->games_ = {reinterpret_cast<const IndexedGame*>(bytes + at.games), header.gameCount};
    index->openings_ = {reinterpret_cast<const CornerOpenings*>(bytes + at.openings),
                        header.gameCount};
    index->steps_ = {reinterpret_cast<const Step*>(bytes + at.steps), header.stepCount};
    index->keys_ = {reinterpret_cast<const PositionKey*>(bytes + at.keys), header.keyCount};
    index->everStone_ = {reinterpret_cast<const std::uint64_t*>(bytes + at.everStone),
                         2 * kPoints * gameWordsFor(header.gameCount)};
    return index;
}

std::int64_t SearchIndex::lastLiveId(const std::vector<std::int64_t>& removed) const {
    for (auto g = games_.rbegin(); g != games_.rend(); ++g)
        if (g->removed == 0 && !std::binary_search(removed.begin(), removed.end(), g->id))
            return g->id;
    return 0;
}

std::vector<std::uint32_t> SearchIndex::candidates(std::uint64_t canonicalHash) const {
    const std::uint32_t key = positionKey(canonicalHash);
    const auto [from, to] =
        std::equal_range(keys_.begin(), keys_.end(), PositionKey{key, 0},
                         [](const PositionKey& a, const PositionKey& b) { return a.key < b.key; });
    std::vector<std::uint32_t> games;
    for (auto it = from; it != to; ++it)
        if (it->game < games_.size()) games.push_back(it->game);
    return games;  // sorted: the table is sorted by key, then by game
}

}  // namespace kelmaz::library
