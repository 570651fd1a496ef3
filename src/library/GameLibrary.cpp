#include "library/GameLibrary.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

namespace kelmaz::library {

namespace {

namespace fs = std::filesystem;

// The files of a folder that are taken as records: SGF and UGF by their names (other text
// files in a folder are more often notes than records; they can be named one by one).
bool isRecordFile(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".sgf" || ext == ".ugf" || ext == ".ugi";
}

// The files named and the record files inside the folders named, each folder's in name order.
std::vector<std::string> recordFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code ec;
        if (!fs::is_directory(path, ec)) {
            files.push_back(fs::absolute(path, ec).lexically_normal().string());
            continue;
        }
        std::vector<std::string> found;
        for (auto it = fs::recursive_directory_iterator(
                 path, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_regular_file(ec) && isRecordFile(it->path()))
                found.push_back(fs::absolute(it->path(), ec).lexically_normal().string());
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

// Reads record files in order on a thread of its own, a few ahead of the file being stored, so
// that reading and storing share the cores.
class ReadAhead {
  public:
    struct Read {
        std::optional<FileStamp> stamp;  // taken before the file was read
        FileGames games;
    };

    explicit ReadAhead(std::vector<std::string> files)
        : files_(std::move(files)), thread_([this] { run(); }) {}
    ~ReadAhead() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next file's games; called once for each file.
    Read next() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty(); });
        Read read = std::move(ready_.front());
        ready_.pop_front();
        changed_.notify_all();
        return read;
    }

  private:
    void run() {
        for (const std::string& file : files_) {
            Read read;
            read.stamp = FileStamp::of(file);
            if (read.stamp) read.games = readLibraryFile(file);
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || ready_.size() < kAhead; });
            if (stop_) return;
            ready_.push_back(std::move(read));
            changed_.notify_all();
        }
    }

    static constexpr std::size_t kAhead = 4;
    const std::vector<std::string> files_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Read> ready_;
    bool stop_ = false;
    std::thread thread_;  // last, so that it starts once the rest is ready
};

}  // namespace

std::string defaultLibraryPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data != nullptr && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr ? home : ".") / ".local" / "share";
    }
    return (base / "kelmaz" / "library.db").string();
}

std::unique_ptr<GameLibrary> GameLibrary::open(const std::string& path, std::string& error) {
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    std::unique_ptr<GameLibrary> library(new GameLibrary);
    library->database_ = GameDatabase::open(path, error);
    if (!library->database_) return nullptr;
    library->indexPath_ = path + ".index";
    library->index_ = SearchIndex::open(library->indexPath_);
    if (!library->index_ || library->index_->generation() != library->database_->generation())
        library->updateIndex(nullptr, {});
    return library;
}

bool GameLibrary::updateIndex(std::unique_ptr<SearchIndex> current,
                              const std::vector<std::int64_t>& removed) {
    index_.reset();
    // Past a quarter of removed games the index is written afresh, without them.
    if (current && current->removedCount() + removed.size() > current->games().size() / 4)
        current.reset();
    std::vector<std::int64_t> leaving = removed;
    std::sort(leaving.begin(), leaving.end());
    // A game added gets an id above every game kept, so the games above the last id still
    // indexed are the new ones.
    std::int64_t after = current ? current->lastLiveId(leaving) : 0;
    // A batch at a time, so that memory stays bounded however many games there are; until the
    // last batch is written the file carries no generation, so that an interruption leaves an
    // index that is rebuilt.
    constexpr std::size_t kBatch = 100000;
    const std::int64_t generation = database_->generation();
    for (bool last = false; !last;) {
        IndexBuilder builder;
        database_->forEachIndexedGame(
            after, kBatch, [&](std::int64_t id, const std::vector<Step>& steps, Winner winner) {
                builder.add(id, steps, winner);
                after = id;
            });
        last = builder.size() < kBatch;
        if (!builder.write(indexPath_, last ? generation : -1, current.get(), leaving))
            return false;
        leaving.clear();
        current = SearchIndex::open(indexPath_);
        if (!current) return false;
    }
    index_ = std::move(current);
    return true;
}

AddSummary GameLibrary::add(const std::vector<std::string>& paths, const AddProgress& progress,
                            const std::atomic<bool>* cancel) {
    AddSummary summary;
    const std::vector<std::string> files = recordFiles(paths);
    // The index is brought up to date from itself only when it was up to date before.
    std::unique_ptr<SearchIndex> current = std::move(index_);
    if (current && current->generation() != database_->generation()) current.reset();
    std::vector<std::int64_t> removed;
    // Files unchanged since they were added are not read again.
    std::vector<bool> unchanged(files.size());
    std::vector<std::string> toRead;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto stamp = FileStamp::of(files[i]);
        unchanged[i] = stamp && database_->unchanged(files[i], *stamp);
        if (!unchanged[i]) toRead.push_back(files[i]);
    }
    ReadAhead reader(std::move(toRead));
    database_->begin();
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (cancel != nullptr && cancel->load()) {
            summary.cancelled = true;
            break;
        }
        FileOutcome outcome;
        outcome.unchanged = unchanged[i];
        if (!unchanged[i]) {
            const ReadAhead::Read read = reader.next();
            outcome = database_->addFile(files[i], read.stamp, read.games);
        }
        summary.added += outcome.added;
        summary.duplicates += outcome.duplicates;
        summary.unchangedFiles += outcome.unchanged ? 1 : 0;
        removed.insert(removed.end(), outcome.removed.begin(), outcome.removed.end());
        for (const RefusedGame& r : outcome.refused)
            summary.refused.push_back({files[i], r.number, r.reason});
        if (progress) progress(i + 1, files.size());
    }
    database_->commit();
    updateIndex(std::move(current), removed);
    return summary;
}

SearchResult GameLibrary::search(const ShapeQuery& query, unsigned threads) const {
    if (!index_) return {};
    return searchShape(*index_, query, threads);
}

}  // namespace kelmaz::library
