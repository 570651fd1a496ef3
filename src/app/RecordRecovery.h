#pragma once
// Keeps the board's unsaved record in its recovery file while the program runs: a change of a
// modified document is written at most once a second (the first change starts the timer, the
// tick writes what stands then), so placing and stepping never wait for the disk. An
// unmodified document has no file: the tick after an undo back to the saved content, a save or
// a normal close removes it.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <filesystem>

namespace kelmaz {

class RecordDocument;

class RecordRecovery : public QObject {
  public:
    static constexpr int kIntervalMs = 1000;

    RecordRecovery(const RecordDocument& document, std::filesystem::path folder);

    // The document changed (content or position): the timer starts unless it runs.
    void documentChanged();
    // The record was saved or the window closes as the user asked: no file is kept.
    void discard();
    // The record of `leftover` (another process's recovery file) was restored into this
    // window: that file becomes this window's own, so it is never without a copy on disk.
    void adopt(const std::filesystem::path& leftover);
    // The record is about to be cleared without the user's word (the peer of a match cleared
    // the board): a modified one is kept in a file of its own, offered at the next start.
    void keepBeforeClear();

    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& file() const { return file_; }
    QTimer& timer() { return timer_; }

  private:
    void writeNow();

    const RecordDocument& document_;
    std::filesystem::path folder_;
    std::filesystem::path file_;
    QTimer timer_;
    std::uint64_t written_ = 0;  // the revision the file holds (0: none written)
    bool fileExists_ = false;
};

}  // namespace kelmaz
