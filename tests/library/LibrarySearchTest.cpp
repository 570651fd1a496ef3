// The game library's searches against a brute-force oracle: every game replayed by the
// program's own reader and board, every position compared under every symmetry and colour
// swap at every place.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <fstream>
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
    Winner winner = Winner::Unknown;
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
    std::set<bool> swaps;         // whether those orientations swapped the colours
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
                        if (qx >= 0 && qy >= 0 && qx < kLines && qy < kLines) {
                            hit.continuations.insert(qy * kLines + qx);
                            hit.swaps.insert(swap == 1);
                        }
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
        // A white stone in the corner taken by the move that completes black's shape.
        test::writeBytes(folder / "taken.sgf", "(;SZ[19]PB[Taken];B[ba];W[aa];B[ab];W[pp];B[dd])");
        // A record of another format, read by the program's own reader.
        std::filesystem::copy_file(test::dataFile("records/ugf/sabaki__ugf__amateur.ugf"),
                                   folder / "game.ugf");
        std::string error;
        library = GameLibrary::open((dir.path() / "lib.db").string(), error);
        ASSERT_TRUE(library) << error;
        summary = library->add({folder.string()});
        for (int g = 1; g <= kGames; ++g) {
            oracle.push_back(replay((folder / "a.sgf").string(), g));
            oracle.back().winner = g % 2 == 0 ? Winner::Black : Winner::White;
        }
        oracle.push_back(replay((dir.path() / "setup-played.sgf").string(), 1));
        oracle.back().file = (folder / "setup.sgf").string();
        oracle.push_back(replay((folder / "empty.sgf").string(), 1));
        oracle.push_back(replay((folder / "game.ugf").string(), 1));
        oracle.back().winner = Winner::Black;
        oracle.push_back(replay((folder / "taken.sgf").string(), 1));
    }

    // The library's hits against the oracle's, and every continuation one the oracle allows;
    // where each game's continuation is certain, its count and wins (for the query's colours).
    void expectAsOracle(const Pattern& p, const SearchOptions& o, bool exactContinuations) {
        const SearchResult result = library->search(makeQuery(p, o), 2);
        std::map<std::pair<std::string, int>, int> found;
        for (const SearchHit& h : result.hits) {
            const auto row = library->game(h.gameId);
            ASSERT_TRUE(row);
            found[{row->file, row->number}] = h.move;
        }
        std::map<std::pair<std::string, int>, int> expected;
        std::map<int, std::array<int, 3>> oracleNext;  // count, black wins, white wins
        int withNext = 0;
        for (const OracleGame& g : oracle) {
            const OracleHit hit = bruteForce(g, p, o);
            if (hit.move < 0) continue;
            expected[{g.file, g.number}] = hit.move;
            if (!hit.continuations.empty()) ++withNext;
            if (hit.continuations.size() != 1 || hit.swaps.size() != 1) continue;
            const bool swapped = *hit.swaps.begin();
            auto& n = oracleNext[*hit.continuations.begin()];
            ++n[0];
            n[1] += g.winner == (swapped ? Winner::White : Winner::Black);
            n[2] += g.winner == (swapped ? Winner::Black : Winner::White);
        }
        EXPECT_EQ(found, expected);
        int counted = 0;
        std::map<int, std::array<int, 3>> next;
        for (const Continuation& c : result.continuations) {
            counted += c.count;
            next[c.point] = {c.count, c.blackWins, c.whiteWins};
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

    static Pattern swapped(Pattern p) {
        for (Want& w : p.points)
            w = w == Want::Black ? Want::White : w == Want::White ? Want::Black : w;
        return p;
    }

    test::TempDir dir;
    std::unique_ptr<GameLibrary> library;
    AddSummary summary;
    std::vector<OracleGame> oracle;
};

TEST_F(LibrarySearch, AddingKeepsADuplicateOnceAndListsOtherSizesUnsearched) {
    EXPECT_EQ(summary.added, kGames + 5);
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
        {"a game read from UGF", oracle[kGames + 2].positions[40], {}},
        {"more stones than the hash table holds", oracle[0].positions[80], {}},
        {"the empty board", oracle[0].positions[0], {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectAsOracle(positionPattern(c.board), c.options, false);
    }
}

TEST_F(LibrarySearch, PatternsAsTheOracleFindsThem) {
    std::string error;
    const struct {
        const char* what;
        Pattern pattern;
        SearchOptions options;
        bool exactContinuations;
    } cases[] = {
        {"corner 5x5 with any points", cut(2, 12, 0, 0, 5, 5, 4), {}, false},
        {"corner 5x5 fixed, one orientation", cut(3, 14, 0, 0, 5, 5), {false, false, false}, true},
        {"corner 5x5 fixed, wins of colour-swapped matches",
         swapped(cut(3, 14, 0, 0, 5, 5)),
         {false, true, false},
         true},
        {"corner 4x3 anywhere", cut(4, 10, 1, 0, 4, 3), {true, true, true}, false},
        {"at the top edge", cut(0, 60, 6, 0, 5, 3, 3), {}, false},
        {"corner, a stone it asks for taken", *parsePattern("aa:bb:OXX.", error), {}, false},
        {"corner, a stone it does not ask for taken",
         *parsePattern("aa:bb:.XX.", error),
         {},
         false},
        {"3x3 anywhere from the centre", cut(0, 70, 8, 8, 3, 3), {true, true, true}, false},
        {"3x3 anywhere, no colour swap", cut(6, 20, 2, 2, 3, 3), {true, false, true}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectAsOracle(c.pattern, c.options, c.exactContinuations);
    }
}

TEST_F(LibrarySearch, CornerListsDamagedInAnIndexOfTheRightSizeAreReadWithinTheirBounds) {
    const std::string indexPath = (dir.path() / "lib.db.index").string();
    const std::size_t games = SearchIndex::open(indexPath)->games().size();
    library.reset();
    {
        // The corner lists follow the header and the entries; random bytes, the size kept.
        std::fstream file(indexPath, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(48 + static_cast<std::streamoff>(games * sizeof(IndexedGame)));
        std::mt19937 random(33);
        for (std::size_t i = 0; i < games * sizeof(CornerOpenings); ++i)
            file.put(static_cast<char>(random()));
    }
    std::string error;
    library = GameLibrary::open((dir.path() / "lib.db").string(), error);
    ASSERT_TRUE(library->indexed());
    for (const char* pattern : {"aa:cc:XO.O*....", "dd:dd:X"})
        library->search(makeQuery(*parsePattern(pattern, error), {}), 2);
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

TEST(GameLibrary, AddingInStepsFindsWhatALibraryBuiltAtOnceFinds) {
    test::TempDir dir;
    const std::string collection = generatedCollection(30);
    const auto trees = indexGameTrees(collection);
    auto games = [&](std::size_t from, std::size_t to) {
        return collection.substr(trees[from].begin, trees[to - 1].end - trees[from].begin);
    };
    const auto a = dir.file("a.sgf"), b = dir.file("b.sgf"), c = dir.file("c.sgf");
    test::writeBytes(a, games(0, 20));
    test::writeBytes(b, games(20, 24));
    test::writeBytes(c, games(26, 30));
    std::string error;
    auto stepwise = GameLibrary::open((dir.path() / "steps.db").string(), error);
    ASSERT_TRUE(stepwise) << error;
    stepwise->add({a.string()});
    stepwise->add({c.string()});
    stepwise->add({b.string()});
    // The last file's games replaced: the new ones take the ids the old ones had.
    test::writeBytes(b, games(22, 26));
    std::filesystem::last_write_time(b,
                                     std::filesystem::last_write_time(b) + std::chrono::seconds(5));
    stepwise->add({b.string()});
    auto atOnce = GameLibrary::open((dir.path() / "once.db").string(), error);
    atOnce->add({a.string(), b.string(), c.string()});

    auto found = [](GameLibrary& library, const ShapeQuery& query) {
        const SearchResult r = library.search(query, 2);
        std::vector<std::tuple<std::string, int, int>> hits;
        for (const SearchHit& h : r.hits) {
            const auto row = library.game(h.gameId);
            hits.emplace_back(row->file, row->number, h.move);
        }
        std::sort(hits.begin(), hits.end());
        std::vector<std::array<int, 4>> next;
        for (const Continuation& n : r.continuations)
            next.push_back({n.point, n.count, n.blackWins, n.whiteWins});
        std::sort(next.begin(), next.end());
        return std::pair(hits, next);
    };
    for (const char* pattern : {"aa:ee:*************************", "dd:dd:X", "cc:ee:XO*.*.OX*"}) {
        SCOPED_TRACE(pattern);
        const ShapeQuery query = makeQuery(*parsePattern(pattern, error), {});
        const auto expected = found(*atOnce, query);
        if (pattern[6] == '*') {
            EXPECT_EQ(expected.first.size(), 28U);  // every game kept, each once
        }
        EXPECT_EQ(found(*stepwise, query), expected);
    }
}

TEST(GameLibrary, ACancelledAddKeepsTheFilesStoredAndTheNextAddTakesTheRest) {
    test::TempDir dir;
    const std::string collection = generatedCollection(6);
    const auto trees = indexGameTrees(collection);
    for (int f = 0; f < 3; ++f)
        test::writeBytes(
            dir.file("g" + std::to_string(f) + ".sgf"),
            collection.substr(trees[2 * f].begin, trees[2 * f + 1].end - trees[2 * f].begin));
    std::string error;
    auto library = GameLibrary::open((dir.path() / "lib.db").string(), error);
    ASSERT_TRUE(library) << error;
    std::atomic<bool> cancel{false};
    const AddSummary first = library->add(
        {dir.path().string()}, [&](std::size_t done, std::size_t) { cancel = done == 1; }, &cancel);
    EXPECT_TRUE(first.cancelled);
    EXPECT_EQ(first.added, 2);
    const AddSummary rest = library->add({dir.path().string()});
    EXPECT_EQ(rest.added, 4);
    EXPECT_EQ(rest.unchangedFiles, 1);
    // Every game searchable once: the empty corner stands in each before its first move.
    EXPECT_EQ(library->search(makeQuery(*parsePattern("aa:bb:****", error), {})).hits.size(), 6U);
}

TEST(GameLibrary, ALibraryFromBeforeTheNamesTableFindsAndAddsPlayers) {
    test::TempDir dir;
    const std::string lib = (dir.path() / "old.db").string();
    {
        // The tables as the first libraries were written, with one game in them.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(lib.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, R"(
CREATE TABLE meta (key TEXT PRIMARY KEY, value INTEGER);
INSERT INTO meta VALUES ('generation', 1);
CREATE TABLE files (id INTEGER PRIMARY KEY, path TEXT UNIQUE NOT NULL, mtime INTEGER, bytes INTEGER);
CREATE TABLE games (
    id INTEGER PRIMARY KEY, file INTEGER NOT NULL, number INTEGER NOT NULL,
    black TEXT, white TEXT, black_rank TEXT, white_rank TEXT, date TEXT, date_key TEXT,
    result TEXT, event TEXT, moves INTEGER, size INTEGER, signature INTEGER UNIQUE NOT NULL);
CREATE TABLE moves (game INTEGER PRIMARY KEY, steps BLOB NOT NULL);
INSERT INTO files VALUES (1, '/old.sgf', 0, 0);
INSERT INTO games VALUES (1, 1, 1, '本因坊秀策', 'Ota', '', '', '1846', '1846', 'B+2', '', 0, 19, 7);
INSERT INTO moves VALUES (1, x'');
)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    std::string error;
    auto library = GameLibrary::open(lib, error);
    ASSERT_TRUE(library) << error;
    EXPECT_EQ(library->list({"秀策", "", "", "", "B+"}).size(), 1U);
    const auto file = dir.file("new.sgf");
    test::writeBytes(file, "(;PB[Honinbo Shusaku]PW[Ota];B[dd])");
    EXPECT_EQ(library->add({file.string()}).added, 1);
    EXPECT_EQ(library->list({"Shusaku", "", "", "", ""}).size(), 1U);
}

}  // namespace
}  // namespace kelmaz::library
