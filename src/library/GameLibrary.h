#pragma once
// A game library: the database file and the search index beside it (the same name with
// ".index" added). Adding games updates the database in one transaction and then writes the
// index anew from the old one and the games added; an index that is missing, damaged or older
// than the database is rebuilt when the library is opened, a batch of games at a time.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/GameDatabase.h"
#include "library/SearchIndex.h"
#include "library/ShapeSearch.h"

namespace kelmaz::library {

// $XDG_DATA_HOME/kelmaz/library.db (default ~/.local/share/kelmaz/library.db).
std::string defaultLibraryPath();

struct RefusedFile {
    std::string path;
    int game = 0;  // 0: the whole file
    std::string reason;
};

struct AddSummary {
    int added = 0;
    int duplicates = 0;
    int unchangedFiles = 0;
    std::vector<RefusedFile> refused;
    bool cancelled = false;
};

// Files done and files in all, after each file.
using AddProgress = std::function<void(std::size_t done, std::size_t total)>;

class GameLibrary {
  public:
    // Opens or creates the library at `path`; nothing when it cannot (the reason in `error`).
    static std::unique_ptr<GameLibrary> open(const std::string& path, std::string& error);

    // Adds record files and every .sgf, .ugf and .ugi file inside folders (their subfolders too). A
    // cancel stops after the file being read; what was added until then is kept.
    AddSummary add(const std::vector<std::string>& paths, const AddProgress& progress = {},
                   const std::atomic<bool>* cancel = nullptr);

    std::vector<GameRow> list(const HeaderFilter& filter) { return database_->list(filter); }
    std::optional<GameRow> game(std::int64_t id) { return database_->game(id); }
    // The rows of the games a search found, in its order.
    std::vector<std::optional<GameRow>> games(const std::vector<SearchHit>& hits) {
        std::vector<std::int64_t> ids;
        ids.reserve(hits.size());
        for (const SearchHit& h : hits) ids.push_back(h.gameId);
        return database_->games(ids);
    }
    std::int64_t gameCount() { return database_->gameCount(); }

    // False when the index could not be written (the searches then find nothing).
    bool indexed() const { return index_ != nullptr; }
    SearchResult search(const ShapeQuery& query, unsigned threads = 0) const;

  private:
    GameLibrary() = default;
    // Brings the index up to the database: from the current index when it is up to date with
    // the database as it was before `removed` left it and not mostly removed games, else from
    // nothing.
    bool updateIndex(std::unique_ptr<SearchIndex> current,
                     const std::vector<std::int64_t>& removed);

    std::string indexPath_;
    std::unique_ptr<GameDatabase> database_;
    std::unique_ptr<SearchIndex> index_;
};

}  // namespace kelmaz::library
