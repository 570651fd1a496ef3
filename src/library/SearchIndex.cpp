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

constexpr char kMagic[8] = {'K', 'L', 'Z', 'I', 'N', 'D', 'X', '4'};

struct FileHeader {
    char magic[8];
    std::uint32_t hashedStones;
    std::uint32_t gameCount;
    std::uint64_t stepCount;
    std::uint64_t keyCount;
    std::int64_t generation;
};
static_assert(sizeof(FileHeader) == 40);

std::size_t padded(std::size_t bytes) { return (bytes + 7) & ~std::size_t{7}; }

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
    std::sort(gameKeys_.begin(), gameKeys_.end());
    gameKeys_.erase(std::unique(gameKeys_.begin(), gameKeys_.end()), gameKeys_.end());
    for (const std::uint32_t key : gameKeys_) keys_.push_back({key, gameNumber});
    games_.push_back(game);
}

bool IndexBuilder::write(const std::string& path, std::int64_t generation) {
    std::sort(keys_.begin(), keys_.end());
    FileHeader header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.hashedStones = kHashedStones;
    header.gameCount = static_cast<std::uint32_t>(games_.size());
    header.stepCount = steps_.size();
    header.keyCount = keys_.size();
    header.generation = generation;
    const std::size_t words = (games_.size() + 63) / 64;
    std::vector<std::uint64_t> everStone(2 * kPoints * words);
    for (std::size_t g = 0; g < games_.size(); ++g) {
        for (int colour = 0; colour < 2; ++colour) {
            const RowBits& rows = colour == 0 ? games_[g].everBlack : games_[g].everWhite;
            for (int y = 0; y < kLines; ++y)
                for (std::uint32_t r = rows[y]; r != 0; r &= r - 1) {
                    const int p = y * kLines + __builtin_ctz(r);
                    everStone[(colour * kPoints + p) * words + g / 64] |= std::uint64_t{1}
                                                                          << (g % 64);
                }
        }
    }
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        auto put = [&out](const void* data, std::size_t bytes) {
            out.write(static_cast<const char*>(data), static_cast<std::streamsize>(bytes));
            static constexpr char zeros[8] = {};
            out.write(zeros, static_cast<std::streamsize>(padded(bytes) - bytes));
        };
        put(&header, sizeof header);
        put(games_.data(), games_.size() * sizeof(IndexedGame));
        put(steps_.data(), steps_.size() * sizeof(Step));
        put(keys_.data(), keys_.size() * sizeof(PositionKey));
        put(everStone.data(), everStone.size() * sizeof(std::uint64_t));
        out.flush();
        if (!out) {
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
}

std::unique_ptr<SearchIndex> SearchIndex::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    void* map = MAP_FAILED;
    if (fstat(fd, &st) == 0 && st.st_size >= static_cast<off_t>(sizeof(FileHeader)))
        map = mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED) return nullptr;
    std::unique_ptr<SearchIndex> index(new SearchIndex);
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
    const std::size_t gamesAt = padded(sizeof header);
    const std::size_t stepsAt = gamesAt + padded(header.gameCount * sizeof(IndexedGame));
    const std::size_t keysAt = stepsAt + padded(header.stepCount * sizeof(Step));
    const std::size_t everAt = keysAt + padded(header.keyCount * sizeof(PositionKey));
    const std::size_t everWords = 2 * kPoints * ((std::size_t{header.gameCount} + 63) / 64);
    if (everAt + everWords * sizeof(std::uint64_t) != total) return nullptr;
    index->generation_ = header.generation;
    index->games_ = {reinterpret_cast<const IndexedGame*>(bytes + gamesAt), header.gameCount};
    index->steps_ = {reinterpret_cast<const Step*>(bytes + stepsAt), header.stepCount};
    index->keys_ = {reinterpret_cast<const PositionKey*>(bytes + keysAt), header.keyCount};
    index->everStone_ = {reinterpret_cast<const std::uint64_t*>(bytes + everAt), everWords};
    for (const IndexedGame& game : index->games_)
        if (std::uint64_t{game.firstStep} + game.stepCount > header.stepCount) return nullptr;
    return index;
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
