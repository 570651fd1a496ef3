#pragma once
// The library's database: one SQLite file holding every game's header, its file and place in
// it, its signature (so that a game added twice is kept once) and its moves. The search index
// beside it is built from what this file holds.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/GameReader.h"

struct sqlite3;

namespace kelmaz::library {

struct GameRow {
    std::int64_t id = 0;
    std::string file;
    int number = 1;
    std::string black, white, blackRank, whiteRank, date, result, event;
    int moves = 0;
    int size = kLines;
};

// A header search; empty fields do not filter.
struct HeaderFilter {
    std::string player;  // part of either player's name
    std::string from;    // first date, "YYYY", "YYYY-MM" or "YYYY-MM-DD"
    std::string to;      // last date, the same forms, inclusive
    std::string event;   // part of the event
    std::string result;  // part of the result
};

// What a file brought when it was added.
struct FileOutcome {
    int added = 0;
    int duplicates = 0;
    bool unchanged = false;  // the file was added before and has not changed since
    std::vector<RefusedGame> refused;
    std::vector<std::int64_t> removed;  // the ids of the games a changed file had before
};

// When a file was last changed and its size, as stored with its games.
struct FileStamp {
    std::int64_t mtime = 0;  // nanoseconds
    std::int64_t bytes = 0;
    // Nothing when the file cannot be looked at.
    static std::optional<FileStamp> of(const std::string& path);
};

// "YYYY-MM-DD" (or shorter) from a date field: its first number of four digits and the one or
// two numbers after it ("2010-09-01,02", "2010年9月1日"); empty when there is none.
std::string dateKey(const std::string& date);

class GameDatabase {
  public:
    ~GameDatabase();
    GameDatabase(const GameDatabase&) = delete;
    GameDatabase& operator=(const GameDatabase&) = delete;

    // Opens or creates the database file; nothing when it cannot (the reason in `error`).
    static std::unique_ptr<GameDatabase> open(const std::string& path, std::string& error);

    // A transaction around many adds: nothing of it is kept unless it is committed.
    void begin();
    bool commit();

    // The file was added before with this stamp.
    bool unchanged(const std::string& path, const FileStamp& stamp);
    // Adds the games read from one file, stamped before it was read (nothing: it could not be
    // looked at); a file unchanged since it was added is left as it is, a changed file's old
    // games are replaced.
    FileOutcome addFile(const std::string& path, const std::optional<FileStamp>& stamp,
                        const FileGames& read);

    // Counts changes of the games, stored with the index so that a stale index is noticed.
    std::int64_t generation();

    std::vector<GameRow> list(const HeaderFilter& filter);
    std::optional<GameRow> game(std::int64_t id);
    // The rows of these games, in the same order; nothing for an id not kept.
    std::vector<std::optional<GameRow>> games(const std::vector<std::int64_t>& ids);
    std::int64_t gameCount();

    // The 19-line games with ids above `after`, in id order, at most `limit` of them: their
    // ids, moves and results. Returns how many there were.
    std::size_t forEachIndexedGame(
        std::int64_t after, std::size_t limit,
        const std::function<void(std::int64_t id, const std::vector<Step>&, Winner)>& visit);

  private:
    explicit GameDatabase(sqlite3* db) : db_(db) {}
    bool exec(const char* sql);
    bool addNameColumns();
    // The id of a player, event or result text in the names table, added when new.
    std::int64_t nameId(const std::string& name);

    sqlite3* db_;
    std::unordered_map<std::string, std::int64_t> names_;  // within the open transaction
};

}  // namespace kelmaz::library
