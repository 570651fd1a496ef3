#include "library/GameDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cctype>
#include <cstring>

namespace kelmaz::library {

namespace {

constexpr const char* kSchema = R"(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = NORMAL;
-- Header searches read scattered rows: mapped, they cost no system call each.
PRAGMA mmap_size = 268435456;
-- The moves live in a table of their own, so that a header search scans short rows.
CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value INTEGER);
INSERT OR IGNORE INTO meta VALUES ('generation', 0);
CREATE TABLE IF NOT EXISTS files (
    id INTEGER PRIMARY KEY, path TEXT UNIQUE NOT NULL, mtime INTEGER, bytes INTEGER);
CREATE TABLE IF NOT EXISTS games (
    id INTEGER PRIMARY KEY, file INTEGER NOT NULL, number INTEGER NOT NULL,
    black TEXT, white TEXT, black_rank TEXT, white_rank TEXT, date TEXT, date_key TEXT,
    result TEXT, event TEXT, moves INTEGER, size INTEGER,
    signature INTEGER UNIQUE NOT NULL);
CREATE INDEX IF NOT EXISTS games_file ON games (file);
CREATE INDEX IF NOT EXISTS games_date ON games (date_key);
CREATE TABLE IF NOT EXISTS moves (game INTEGER PRIMARY KEY, steps BLOB NOT NULL);
-- Every distinct player, event and result text once: a search for part of a name looks
-- through the few names and then takes their games from an index.
CREATE TABLE IF NOT EXISTS names (id INTEGER PRIMARY KEY, name TEXT UNIQUE NOT NULL);
)";

// The games' references into `names`, added to a library made before they existed and filled
// from its header columns.
constexpr const char* kNameColumns = R"(
BEGIN;
ALTER TABLE games ADD COLUMN black_name INTEGER;
ALTER TABLE games ADD COLUMN white_name INTEGER;
ALTER TABLE games ADD COLUMN event_name INTEGER;
ALTER TABLE games ADD COLUMN result_name INTEGER;
INSERT OR IGNORE INTO names (name)
    SELECT black FROM games UNION SELECT white FROM games UNION SELECT event FROM games
    UNION SELECT result FROM games;
UPDATE games SET black_name = (SELECT id FROM names WHERE name = black),
                 white_name = (SELECT id FROM names WHERE name = white),
                 event_name = (SELECT id FROM names WHERE name = event),
                 result_name = (SELECT id FROM names WHERE name = result);
CREATE INDEX games_black_name ON games (black_name);
CREATE INDEX games_white_name ON games (white_name);
CREATE INDEX games_event_name ON games (event_name);
CREATE INDEX games_result_name ON games (result_name);
COMMIT;
)";

// A prepared statement, finalized when it goes out of scope.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, const std::string& text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int i, std::int64_t value) {
        sqlite3_bind_int64(stmt_, i, value);
        return *this;
    }
    Statement& bindBlob(int i, const void* data, std::size_t bytes) {
        // An empty vector's data() may be null, which would bind NULL, not an empty blob.
        if (bytes == 0)
            sqlite3_bind_zeroblob(stmt_, i, 0);
        else
            sqlite3_bind_blob(stmt_, i, data, static_cast<int>(bytes), SQLITE_STATIC);
        return *this;
    }
    bool row() { return stmt_ != nullptr && sqlite3_step(stmt_) == SQLITE_ROW; }
    // Ready to be run again with new values.
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    bool run() {
        const bool done = stmt_ != nullptr && sqlite3_step(stmt_) == SQLITE_DONE;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        return done;
    }
    std::int64_t integer(int col) { return sqlite3_column_int64(stmt_, col); }
    std::string text(int col) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
        return t != nullptr
                   ? std::string(t, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, col)))
                   : std::string();
    }
    std::vector<Step> steps(int col) {
        const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, col));
        std::vector<Step> out(bytes / sizeof(Step));
        if (!out.empty())
            std::memcpy(out.data(), sqlite3_column_blob(stmt_, col), out.size() * sizeof(Step));
        return out;
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

// A LIKE pattern matching `part` anywhere, its own % and _ taken literally.
std::string containing(const std::string& part) {
    std::string out = "%";
    for (const char c : part) {
        if (c == '%' || c == '_' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('%');
    return out;
}

constexpr const char* kRowColumns =
    "SELECT g.id, f.path, g.number, g.black, g.white, g.black_rank, g.white_rank, g.date, "
    "g.result, g.event, g.moves, g.size FROM games g JOIN files f ON f.id = g.file ";

GameRow readRow(Statement& s) {
    GameRow r;
    r.id = s.integer(0);
    r.file = s.text(1);
    r.number = static_cast<int>(s.integer(2));
    r.black = s.text(3);
    r.white = s.text(4);
    r.blackRank = s.text(5);
    r.whiteRank = s.text(6);
    r.date = s.text(7);
    r.result = s.text(8);
    r.event = s.text(9);
    r.moves = static_cast<int>(s.integer(10));
    r.size = static_cast<int>(s.integer(11));
    return r;
}

}  // namespace

std::string dateKey(const std::string& date) {
    std::vector<std::string> numbers;
    std::string current;
    for (std::size_t i = 0; i <= date.size() && numbers.size() < 3; ++i) {
        if (i < date.size() && std::isdigit(static_cast<unsigned char>(date[i]))) {
            current.push_back(date[i]);
            continue;
        }
        if (!current.empty()) {
            if (numbers.empty() && current.size() != 4) {
                current.clear();
                continue;
            }
            if (!numbers.empty() && current.size() > 2) break;
            numbers.push_back(current.size() == 1 ? "0" + current : current);
            current.clear();
        } else if (!numbers.empty() && i < date.size() && date[i] == ',') {
            break;
        }
    }
    std::string key;
    for (const std::string& n : numbers) key += (key.empty() ? "" : "-") + n;
    return key;
}

GameDatabase::~GameDatabase() { sqlite3_close(db_); }

std::unique_ptr<GameDatabase> GameDatabase::open(const std::string& path, std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        error = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<GameDatabase> database(new GameDatabase(db));
    if (!database->exec(kSchema) || !database->addNameColumns()) {
        error = sqlite3_errmsg(db);
        return nullptr;
    }
    return database;
}

bool GameDatabase::addNameColumns() {
    {
        Statement columns(db_,
                          "SELECT 1 FROM pragma_table_info('games') WHERE name = 'black_name'");
        if (columns.row()) return true;
    }
    if (exec(kNameColumns)) return true;
    exec("ROLLBACK");
    return false;
}

std::int64_t GameDatabase::nameId(const std::string& name) {
    if (const auto known = names_.find(name); known != names_.end()) return known->second;
    Statement insert(db_, "INSERT OR IGNORE INTO names (name) VALUES (?)");
    insert.bind(1, name).run();
    Statement find(db_, "SELECT id FROM names WHERE name = ?");
    find.bind(1, name);
    const std::int64_t id = find.row() ? find.integer(0) : 0;
    names_.emplace(name, id);
    return id;
}

bool GameDatabase::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void GameDatabase::begin() {
    names_.clear();
    exec("BEGIN");
}

bool GameDatabase::commit() {
    // A name is only known for certain while the transaction that wrote it lasts.
    names_.clear();
    exec("UPDATE meta SET value = value + 1 WHERE key = 'generation'");
    return exec("COMMIT");
}

std::int64_t GameDatabase::generation() {
    Statement s(db_, "SELECT value FROM meta WHERE key = 'generation'");
    return s.row() ? s.integer(0) : 0;
}

std::int64_t GameDatabase::gameCount() {
    Statement s(db_, "SELECT count(*) FROM games");
    return s.row() ? s.integer(0) : 0;
}

std::optional<FileStamp> FileStamp::of(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                     static_cast<std::int64_t>(st.st_size)};
}

bool GameDatabase::unchanged(const std::string& path, const FileStamp& stamp) {
    Statement known(db_, "SELECT mtime, bytes FROM files WHERE path = ?");
    known.bind(1, path);
    return known.row() && known.integer(0) == stamp.mtime && known.integer(1) == stamp.bytes;
}

FileOutcome GameDatabase::addFile(const std::string& path, const std::optional<FileStamp>& stamp,
                                  const FileGames& read) {
    FileOutcome outcome;
    if (!stamp) {
        outcome.refused.push_back({0, "ファイルを読めません"});
        return outcome;
    }
    if (unchanged(path, *stamp)) {
        outcome.unchanged = true;
        return outcome;
    }
    const std::int64_t mtime = stamp->mtime, bytes = stamp->bytes;
    std::int64_t fileId = 0;
    {
        Statement known(db_, "SELECT id FROM files WHERE path = ?");
        known.bind(1, path);
        if (known.row()) fileId = known.integer(0);
    }
    outcome.refused = read.refused;
    if (fileId != 0) {
        Statement old(db_, "SELECT id FROM games WHERE file = ?");
        old.bind(1, fileId);
        while (old.row()) outcome.removed.push_back(old.integer(0));
        Statement dropMoves(
            db_, "DELETE FROM moves WHERE game IN (SELECT id FROM games WHERE file = ?)");
        dropMoves.bind(1, fileId).run();
        Statement drop(db_, "DELETE FROM games WHERE file = ?");
        drop.bind(1, fileId).run();
    }
    // A file refused whole is not remembered, so that adding it again reports it again.
    if (read.games.empty()) {
        Statement forget(db_, "DELETE FROM files WHERE id = ?");
        forget.bind(1, fileId).run();
        return outcome;
    }
    if (fileId != 0) {
        Statement update(db_, "UPDATE files SET mtime = ?, bytes = ? WHERE id = ?");
        update.bind(1, mtime).bind(2, bytes).bind(3, fileId).run();
    } else {
        Statement insert(db_, "INSERT INTO files (path, mtime, bytes) VALUES (?, ?, ?)");
        insert.bind(1, path).bind(2, mtime).bind(3, bytes).run();
        fileId = sqlite3_last_insert_rowid(db_);
    }
    Statement insert(db_,
                     "INSERT OR IGNORE INTO games (file, number, black, white, black_rank, "
                     "white_rank, date, date_key, result, event, moves, size, signature, "
                     "black_name, white_name, event_name, result_name) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    Statement insertMoves(db_, "INSERT INTO moves (game, steps) VALUES (?, ?)");
    for (const LibraryGame& g : read.games) {
        insert.bind(1, fileId)
            .bind(2, std::int64_t{g.number})
            .bind(3, g.header.black)
            .bind(4, g.header.white)
            .bind(5, g.header.blackRank)
            .bind(6, g.header.whiteRank)
            .bind(7, g.header.date)
            .bind(8, dateKey(g.header.date))
            .bind(9, g.header.result)
            .bind(10, g.header.event)
            .bind(11, static_cast<std::int64_t>(g.steps.size()))
            .bind(12, std::int64_t{g.size})
            .bind(13, static_cast<std::int64_t>(g.signature()))
            .bind(14, nameId(g.header.black))
            .bind(15, nameId(g.header.white))
            .bind(16, nameId(g.header.event))
            .bind(17, nameId(g.header.result));
        if (!insert.run()) {
            outcome.refused.push_back({g.number, "棋譜データベースに書き込めません"});
            continue;
        }
        if (sqlite3_changes(db_) == 0) {
            ++outcome.duplicates;
            continue;
        }
        ++outcome.added;
        insertMoves.bind(1, static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_)))
            .bindBlob(2, g.steps.data(), g.steps.size() * sizeof(Step));
        if (!insertMoves.run())
            outcome.refused.push_back({g.number, "棋譜データベースに書き込めません"});
    }
    return outcome;
}

std::vector<GameRow> GameDatabase::list(const HeaderFilter& filter) {
    std::string sql = std::string(kRowColumns) + "WHERE 1";
    std::vector<std::string> values;
    // Adds a condition; every "#" in it stands for `value`.
    auto where = [&](std::string clause, std::string value) {
        values.push_back(std::move(value));
        const std::string parameter = "?" + std::to_string(values.size());
        for (std::size_t at; (at = clause.find('#')) != std::string::npos;)
            clause.replace(at, 1, parameter);
        sql += clause;
    };
    // The names that hold the text, then their games through the index on each reference.
    constexpr const char* kNamed = "(SELECT id FROM names WHERE name LIKE # ESCAPE '\\')";
    if (!filter.player.empty())
        where(
            std::string(" AND (g.black_name IN ") + kNamed + " OR g.white_name IN " + kNamed + ")",
            containing(filter.player));
    if (!filter.event.empty())
        where(std::string(" AND g.event_name IN ") + kNamed, containing(filter.event));
    if (!filter.result.empty())
        where(std::string(" AND g.result_name IN ") + kNamed, containing(filter.result));
    if (!filter.from.empty()) where(" AND g.date_key >= #", dateKey(filter.from));
    // Keys are digits and dashes, so every key that begins with the last date sorts below it
    // with "~" added: a range the date index answers.
    if (!filter.to.empty())
        where(" AND g.date_key > '' AND g.date_key < # || '~'", dateKey(filter.to));
    sql += " ORDER BY g.id";
    Statement s(db_, sql.c_str());
    for (std::size_t i = 0; i < values.size(); ++i) s.bind(static_cast<int>(i + 1), values[i]);
    std::vector<GameRow> rows;
    while (s.row()) rows.push_back(readRow(s));
    return rows;
}

std::optional<GameRow> GameDatabase::game(std::int64_t id) { return games({id}).front(); }

std::vector<std::optional<GameRow>> GameDatabase::games(const std::vector<std::int64_t>& ids) {
    // One statement and one read lock for every id: a search's hits may be many thousands.
    exec("SAVEPOINT rows");
    std::vector<std::optional<GameRow>> rows;
    rows.reserve(ids.size());
    {
        Statement s(db_, (std::string(kRowColumns) + "WHERE g.id = ?").c_str());
        for (const std::int64_t id : ids) {
            s.bind(1, id);
            rows.push_back(s.row() ? std::optional(readRow(s)) : std::nullopt);
            s.reset();
        }
    }
    exec("RELEASE rows");
    return rows;
}

std::size_t GameDatabase::forEachIndexedGame(
    std::int64_t after, std::size_t limit,
    const std::function<void(std::int64_t, const std::vector<Step>&, Winner)>& visit) {
    Statement s(db_,
                "SELECT g.id, m.steps, g.result FROM games g JOIN moves m ON m.game = g.id "
                "WHERE g.size = 19 AND g.id > ? ORDER BY g.id LIMIT ?");
    s.bind(1, after).bind(2, static_cast<std::int64_t>(limit));
    std::size_t count = 0;
    for (; s.row(); ++count) visit(s.integer(0), s.steps(1), winnerOf(s.text(2)));
    return count;
}

}  // namespace kelmaz::library
