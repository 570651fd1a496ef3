#pragma once
// The file of several games that the record on the board was read from. While that game is
// still the record shown (the board was not cleared since), saving writes the whole file: the
// other games as they were read, the shown one as the board holds it. Saving the shown game
// alone is a separate choice of the user.
#include <functional>
#include <string>
#include <string_view>

#include "document/RecordDocument.h"

namespace kelmaz {

class ShownCollection {
  public:
    // `clears` counts the clears of the record (Engine::recordClears).
    explicit ShownCollection(std::function<int()> clears) : clears_(std::move(clears)) {}

    // Game `game` (0-based) of the decoded file text was just read onto the board.
    void opened(std::string_view text, int game);
    // True while the board still shows the game read from a file of several games.
    bool shown() const;
    int game() const { return game_; }
    // The file's decoded text, every game of it as read.
    const std::string& text() const { return text_; }

    // The file's bytes with the shown game replaced by `gameText`, the record as the board
    // holds it (SGF text of one game).
    std::string bytesWith(std::string_view gameText) const;

  private:
    std::function<int()> clears_;
    // The file's text, read into a document only when it is saved: opening a game of a large
    // collection costs no more than before.
    std::string text_;
    int game_ = 0;
    int openedAt_ = -1;  // the clear count when the game was read; -1 before any
};

}  // namespace kelmaz
