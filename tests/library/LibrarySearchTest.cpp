// The game library's searches against a brute-force oracle: every game replayed by the
// program's own reader and board, every position compared under every symmetry and colour
// swap at every place.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "intake/RecordTool.h"
#include "library/GameLibrary.h"
#include "support/TestSupport.h"

namespace kelmaz::library {
namespace {

using Board = std::array<PointState, kPoints>;

// The eight symmetries of the 19-line board, written out.
std::pair<int, int> mirror(int s, int x, int y) {
    const int m = kLines - 1;
    switch (s) {
        case 0:
            return {x, y};
        case 1:
            return {m - x, y};
        case 2:
            return {x, m - y};
        case 3:
            return {m - x, m - y};
        case 4:
            return {y, x};
        case 5:
            return {m - y, x};
        case 6:
            return {y, m - x};
        default:
            return {m - y, m - x};
    }
}

struct OracleGame {
    std::string file;
    int number = 1;
    std::vector<Board> positions;  // after move 0..n
    std::vector<int> next;         // the point of move k + 1, -1 for a pass or the end
};

OracleGame replay(const std::string& file, int number) {
    ToolRecord record;
    EXPECT_EQ(readRecordForTool(file, record, static_cast<std::size_t>(number)).status,
              RecordReadResult::Status::Ok);
    OracleGame game{file, number, {}, {}};
    const int moves = record.state.MoveCount;
    for (int k = 0; k <= moves; ++k) {
        rebuildPosition(record, k);
        Board b;
        for (int p = 0; p < kPoints; ++p) {
            const int cell = record.state.BoardGrid[p % kLines + 1][p / kLines + 1];
            b[p] = cell == kBlack + 1   ? PointState::Black
                   : cell == kWhite + 1 ? PointState::White
                                        : PointState::Empty;
        }
        game.positions.push_back(b);
        const int col = record.state.MoveCol[k + 1], row = record.state.MoveRow[k + 1];
        game.next.push_back(k < moves && col >= 1 && col <= kLines && row >= 1 && row <= kLines
                                ? (row - 1) * kLines + col - 1
                                : -1);
    }
    return game;
}

struct OracleHit {
    int move = -1;
    std::set<int> continuations;  // every orientation's next point, as the query shows it
};

// The first move at which the pattern stands in the game, under every symmetry and swap asked
// for, fixed where the board's symmetry puts the region or at every place.
OracleHit bruteForce(const OracleGame& game, const Pattern& p, const SearchOptions& o) {
    OracleHit hit;
    for (std::size_t k = 0; k < game.positions.size() && hit.move < 0; ++k) {
        const Board& b = game.positions[k];
        for (int s = 0; s < (o.symmetries ? 8 : 1); ++s) {
            for (int swap = 0; swap < (o.colourSwap ? 2 : 1); ++swap) {
                // The region's image and its bounding box on the board.
                int minX = kLines, minY = kLines, maxX = -1, maxY = -1;
                for (int y = 0; y < p.height; ++y)
                    for (int x = 0; x < p.width; ++x) {
                        const auto [bx, by] = mirror(s, p.left + x, p.top + y);
                        minX = std::min(minX, bx), maxX = std::max(maxX, bx);
                        minY = std::min(minY, by), maxY = std::max(maxY, by);
                    }
                for (int dy = o.anywhere ? -minY : 0; dy <= (o.anywhere ? kLines - 1 - maxY : 0);
                     ++dy) {
                    for (int dx = o.anywhere ? -minX : 0;
                         dx <= (o.anywhere ? kLines - 1 - maxX : 0); ++dx) {
                        bool stands = true;
                        for (int i = 0; i < p.width * p.height && stands; ++i) {
                            if (p.points[i] == Want::Any) continue;
                            const auto [bx, by] =
                                mirror(s, p.left + i % p.width, p.top + i / p.width);
                            auto want = static_cast<PointState>(p.points[i]);
                            if (swap) want = opposite(want);
                            stands = b[(by + dy) * kLines + bx + dx] == want;
                        }
                        if (!stands) continue;
                        hit.move = static_cast<int>(k);
                        const int n = game.next[k];
                        if (n < 0) continue;
                        // Undo the shift, then the symmetry (each is its own inverse but 5, 6).
                        const int inverse = s == 5 ? 6 : s == 6 ? 5 : s;
                        const auto [qx, qy] = mirror(inverse, n % kLines - dx, n / kLines - dy);
                        if (qx >= 0 && qy >= 0 && qx < kLines && qy < kLines)
                            hit.continuations.insert(qy * kLines + qx);
                    }
                }
            }
        }
    }
    return hit;
}

std::string sgfPoint(int x, int y) {
    return {static_cast<char>('a' + x), static_cast<char>('a' + y)};
}

// Seeded games of plausible shape: most moves near the upper-left corner, so that shapes
// repeat and stones are taken; game 0 spreads 90 moves over the whole board.
std::string generatedCollection(int games) {
    std::mt19937 random(20261209);
    std::string text;
    const char* players[] = {"本因坊秀策", "Honinbo Shusai", "呉清源", "Go Seigen"};
    for (int g = 0; g < games; ++g) {
        const int moves = g == 0 ? 90 : 36;
        const int area = g == 0 ? kLines : 7;
        text += "(;GM[1]SZ[19]PB[" + std::string(players[g % 4]) + "]PW[" + players[(g + 1) % 4] +
                "]DT[" + std::to_string(1990 + g) + "-0" + std::to_string(1 + g % 9) + "-15]EV[" +
                (g % 3 == 0 ? "名人戦" : "Kisei") + "]RE[" + (g % 2 ? "B+R" : "W+3.5") + "]";
        std::set<int> played;
        for (int m = 0; m < moves; ++m) {
            int x, y;
            do {
                x = static_cast<int>(random() % area);
                y = static_cast<int>(random() % area);
            } while (played.count(y * kLines + x) != 0);
            played.insert(y * kLines + x);
            text += std::string(";") + (m % 2 ? "W" : "B") + "[" + sgfPoint(x, y) + "]";
        }
        text += ")\n";
    }
    return text;
}

class LibrarySearch : public ::testing::Test {
  protected:
    static constexpr int kGames = 24;

    void SetUp() override {
        const auto folder = dir.path() / "records";
        std::filesystem::create_directories(folder);
        const std::string collection = generatedCollection(kGames);
        test::writeBytes(folder / "a.sgf", collection);
        // Game 5 again, under another name: kept once.
        const auto g5 = indexGameTrees(collection)[4];
        std::string copy = collection.substr(g5.begin, g5.end - g5.begin);
        copy.replace(copy.find("PB["), 3, "PB[Copy ");
        test::writeBytes(folder / "b.sgf", copy);
        // The library numbers setup stones as steps 1 to 3, before the moves: its oracle is
        // the same game with the stones played.
        test::writeBytes(folder / "setup.sgf",
                         "(;SZ[19]PB[Setup]AB[cc][dd]AW[cd];W[dc];B[ed];W[ee])");
        test::writeBytes(dir.path() / "setup-played.sgf",
                         "(;SZ[19]PB[Setup];B[cc];B[dd];W[cd];W[dc];B[ed];W[ee])");
        test::writeBytes(folder / "nine.sgf", "(;SZ[9]PB[Nine];B[cc];W[gg])");
        // A game without moves is kept and shows the empty board.
        test::writeBytes(folder / "empty.sgf", "(;SZ[19]PB[Empty])");
        std::string error;
        library = GameLibrary::open((dir.path() / "lib.db").string(), error);
        ASSERT_TRUE(library) << error;
        summary = library->add({folder.string()});
        for (int g = 1; g <= kGames; ++g) oracle.push_back(replay((folder / "a.sgf").string(), g));
        oracle.push_back(replay((dir.path() / "setup-played.sgf").string(), 1));
        oracle.back().file = (folder / "setup.sgf").string();
        oracle.push_back(replay((folder / "empty.sgf").string(), 1));
    }

    // The library's hits against the oracle's, and every continuation one the oracle allows.
    void expectAsOracle(const Pattern& p, const SearchOptions& o, bool exactContinuations) {
        const SearchResult result = library->search(makeQuery(p, o), 2);
        std::map<std::pair<std::string, int>, int> found;
        for (const SearchHit& h : result.hits) {
            const auto row = library->game(h.gameId);
            ASSERT_TRUE(row);
            found[{row->file, row->number}] = h.move;
        }
        std::map<std::pair<std::string, int>, int> expected;
        std::map<int, int> oracleNext;
        int withNext = 0;
        for (const OracleGame& g : oracle) {
            const OracleHit hit = bruteForce(g, p, o);
            if (hit.move < 0) continue;
            expected[{g.file, g.number}] = hit.move;
            if (!hit.continuations.empty()) ++withNext;
            if (hit.continuations.size() == 1) ++oracleNext[*hit.continuations.begin()];
        }
        EXPECT_EQ(found, expected);
        int counted = 0;
        std::map<int, int> next;
        for (const Continuation& c : result.continuations) {
            counted += c.count;
            next[c.point] = c.count;
        }
        EXPECT_EQ(counted, withNext);
        if (exactContinuations) {
            EXPECT_EQ(next, oracleNext);
        }
    }

    // The pattern of a region of a game's position, with "any" where `anyEvery` says.
    Pattern cut(int game, int move, int left, int top, int width, int height, int anyEvery = 0) {
        Pattern p{left, top, width, height, {}};
        const Board& b = oracle[game].positions[move];
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int i = y * width + x;
                p.points.push_back(anyEvery > 0 && i % anyEvery == 0
                                       ? Want::Any
                                       : static_cast<Want>(b[(top + y) * kLines + left + x]));
            }
        return p;
    }

    test::TempDir dir;
    std::unique_ptr<GameLibrary> library;
    AddSummary summary;
    std::vector<OracleGame> oracle;
};

TEST_F(LibrarySearch, AddingKeepsADuplicateOnceAndListsOtherSizesUnsearched) {
    EXPECT_EQ(summary.added, kGames + 3);
    EXPECT_EQ(summary.duplicates, 1);
    EXPECT_TRUE(summary.refused.empty());
    EXPECT_EQ(library->list({"Nine", "", "", "", ""}).size(), 1U);
    // The nine-line game's first stone stands at cc, but only 19-line games are searched.
    std::string error;
    const SearchResult r = library->search(makeQuery(*parsePattern("cc:cc:X", error), {}));
    EXPECT_FALSE(r.hits.empty());
    for (const SearchHit& h : r.hits)
        EXPECT_FALSE(library->game(h.gameId)->file.ends_with("nine.sgf"));
}

TEST_F(LibrarySearch, FullBoardPositionsAsTheOracleFindsThem) {
    // The position after a capture: the first move of a game that takes stones.
    auto stones = [](const Board& b) {
        return std::count_if(b.begin(), b.end(),
                             [](PointState s) { return s != PointState::Empty; });
    };
    const Board* captured = nullptr;
    for (const OracleGame& g : oracle)
        for (std::size_t k = 1; k < g.positions.size() && captured == nullptr; ++k)
            if (stones(g.positions[k]) < stones(g.positions[k - 1])) captured = &g.positions[k];
    ASSERT_NE(captured, nullptr);
    // Game 3 at move 20 seen turned and with the colours swapped.
    Board turned{};
    for (int p = 0; p < kPoints; ++p) {
        const auto [x, y] = mirror(5, p % kLines, p / kLines);
        turned[y * kLines + x] = opposite(oracle[2].positions[20][p]);
    }
    const struct {
        const char* what;
        Board board;
        SearchOptions options;
    } cases[] = {
        {"turned and swapped", turned, {}},
        {"turned and swapped, no colour swap", turned, {true, false, false}},
        {"turned and swapped, no symmetries", turned, {false, true, false}},
        {"after a capture", *captured, {}},
        {"setup stones", oracle[kGames].positions[3], {}},
        {"more stones than the hash table holds", oracle[0].positions[80], {}},
        {"the empty board", oracle[0].positions[0], {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectAsOracle(positionPattern(c.board), c.options, false);
    }
}

TEST_F(LibrarySearch, PatternsAsTheOracleFindsThem) {
    const struct {
        const char* what;
        Pattern pattern;
        SearchOptions options;
        bool exactContinuations;
    } cases[] = {
        {"corner 5x5 with any points", cut(2, 12, 0, 0, 5, 5, 4), {}, false},
        {"corner 5x5 fixed, one orientation", cut(3, 14, 0, 0, 5, 5), {false, false, false}, true},
        {"corner 4x3 anywhere", cut(4, 10, 1, 0, 4, 3), {true, true, true}, false},
        {"at the top edge", cut(0, 60, 6, 0, 5, 3, 3), {}, false},
        {"3x3 anywhere from the centre", cut(0, 70, 8, 8, 3, 3), {true, true, true}, false},
        {"3x3 anywhere, no colour swap", cut(6, 20, 2, 2, 3, 3), {true, false, true}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectAsOracle(c.pattern, c.options, c.exactContinuations);
    }
}

TEST_F(LibrarySearch, HeaderSearchesAsTheHeadersSay) {
    auto numbers = [&](const HeaderFilter& f) {
        std::vector<int> found;
        for (const GameRow& r : library->list(f))
            if (r.file.ends_with("a.sgf")) found.push_back(r.number);
        return found;
    };
    // Game g (from 1): PB players[(g-1) % 4], PW the next one, year 1989 + g, month 1 + (g-1) % 9.
    auto expected = [](const std::function<bool(int)>& keep) {
        std::vector<int> games;
        for (int g = 1; g <= kGames; ++g)
            if (keep(g)) games.push_back(g);
        return games;
    };
    const struct {
        const char* what;
        HeaderFilter filter;
        std::function<bool(int)> keep;
    } cases[] = {
        {"player as either colour",
         {"秀策", "", "", "", ""},
         [](int g) { return (g - 1) % 4 == 0 || g % 4 == 0; }},
        {"part of a Latin name",
         {"seigen", "", "", "", ""},
         [](int g) { return (g - 1) % 4 == 3 || g % 4 == 3; }},
        {"date range, both ends kept",
         {"", "1995", "2000-03", "", ""},
         [](int g) {
             const int year = 1989 + g, month = (g - 1) % 9 + 1;
             return year >= 1995 && (year < 2000 || (year == 2000 && month <= 3));
         }},
        {"event", {"", "", "", "名人", ""}, [](int g) { return (g - 1) % 3 == 0; }},
        {"result", {"", "", "", "", "B+"}, [](int g) { return (g - 1) % 2 == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(numbers(c.filter), expected(c.keep));
    }
}

TEST(GameLibrary, ReaddedChangedFileReplacesItsGamesAndAReopenedLibrarySearches) {
    test::TempDir dir;
    const auto file = dir.file("one.sgf");
    const std::string lib = (dir.path() / "lib.db").string();
    test::writeBytes(file, "(;PB[Old];B[dd];W[pp])");
    std::string error;
    auto library = GameLibrary::open(lib, error);
    ASSERT_TRUE(library) << error;
    EXPECT_EQ(library->add({file.string()}).added, 1);
    EXPECT_EQ(library->add({file.string()}).unchangedFiles, 1);
    test::writeBytes(file, "(;PB[New];B[dd];W[pq])(;PB[Broken];B[aa]");
    std::filesystem::last_write_time(
        file, std::filesystem::last_write_time(file) + std::chrono::seconds(5));
    const AddSummary again = library->add({file.string(), dir.file("missing.sgf").string()});
    EXPECT_EQ(again.added, 2);  // a game cut short at the end of a file keeps what it holds
    ASSERT_EQ(again.refused.size(), 1U);
    EXPECT_EQ(again.refused[0].game, 0);
    EXPECT_TRUE(library->list({"Old", "", "", "", ""}).empty());
    library.reset();
    // The index is written beside the database and found again.
    library = GameLibrary::open(lib, error);
    const SearchResult r = library->search(makeQuery(*parsePattern("pq:pq:O", error), {}));
    EXPECT_EQ(r.hits.size(), 1U);
}

}  // namespace
}  // namespace kelmaz::library
