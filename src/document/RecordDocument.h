#pragma once
// The record as one document: every game of the file that was read, each a tree of nodes with
// every property as read, and the line of play the board shows. The document is the only
// source the writer reads; the move record, the tree text and the game information the
// windows read are a projection of it (LineProjection).
//
// Every change is an edit: a function run on one game, after which the revision counter goes
// up and every observer is told once. Each edit keeps a copy of the game as it was before, so
// it can be taken back (undo) and done again (redo): undo and redo swap that copy with the
// game in effect, so an edit copies its game once, the characters typed on into one comment
// add no copy, and the other games of a collection are never copied.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/GameTree.h"
#include "document/SgfDocumentText.h"

namespace kelmaz {

// Where the board stands in the document: a game and a node on it. The line shown runs from
// the root through `node` and on along first children to its end.
struct LinePosition {
    int game = 0;
    int node = 0;
    bool operator==(const LinePosition&) const = default;
};

class RecordDocument {
  public:
    using Observer = std::function<void()>;

    // The history keeps whole games; once those hold more nodes than `historyNodes`, its
    // oldest steps go, so that editing a very large tree cannot exhaust memory (undo then
    // reaches back less far; the newest step always stays).
    static constexpr std::size_t kHistoryNodes = 1'000'000;

    // An empty document: one game holding only an empty root.
    explicit RecordDocument(std::size_t historyNodes = kHistoryNodes);

    // Replaces the whole document by the games of SGF text (decoded); a text without any game
    // gives a document without a game, which writes that text back. Starts a new history.
    void read(std::string_view text);
    // Replaces the whole document by one game made in the program (not read from a file).
    void reset(GameTree game);

    int gameCount() const { return static_cast<int>(games_.games.size()); }
    const GameTree& game(int index) const { return games_.games.at(index); }
    const SgfGames& games() const { return games_; }
    const LinePosition& position() const { return position_; }
    const GameTree& currentGame() const { return game(position_.game); }

    // Shows another game or another node of the game; not an edit (nothing to save), but
    // observers are told, since what the windows show changes.
    void choose(LinePosition position);

    // Runs `change` on game `index` as one edit, unless it returns false (nothing changed):
    // the game counts as edited, the revision goes up, observers hear of it. `after` is the
    // position the board shows once the edit is done. A non-empty `run` names a run of edits
    // that undo takes back as one (the characters typed into one comment box): an edit of the
    // same run right after the last one, with nothing undone, saved or shown in between, joins
    // its step.
    bool edit(int index, const std::function<bool(GameTree&)>& change, LinePosition after,
              std::string_view run = {});

    // As edit(), where `change` gives the node the board shows once the edit is done, or -1
    // when it changed nothing.
    bool editTo(int index, const std::function<int(GameTree&)>& change);

    // Replaces game `index` by the one game of SGF text `text` as one edit; the text that stood
    // before the game in the file stays. False when the text holds no game.
    bool replaceGame(int index, std::string_view text);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < history_.size(); }
    void undo();
    void redo();

    // Whether the content differs from what was last read or saved (undo back to that point
    // makes it unmodified again).
    bool modified() const { return done_ != saved_; }
    // The content as it stands now is what the file holds.
    void markSaved();
    // The content is held nowhere else (a record brought back after a crash).
    void markModified() { saved_ = kNeverSaved; }

    // Counts every change of content (edits, undo, redo, read); equal revisions mean equal
    // documents.
    std::uint64_t revision() const { return revision_; }

    // Adds an observer; all are told after every change of content or position.
    void observe(Observer observer) { observers_.push_back(std::move(observer)); }

    // The whole collection as SGF text.
    std::string text() const { return sgfCollectionText(games_); }
    // One game alone, as a file of its own.
    std::string gameText(int index) const { return sgfGameText(game(index)); }

  private:
    struct Step {
        int game = 0;
        GameTree other;  // the game as it was before the step while it is in effect, else after
        LinePosition positionBefore, positionAfter;
        std::string run;
    };
    static constexpr std::size_t kNeverSaved = static_cast<std::size_t>(-1);

    using Change = std::function<std::optional<LinePosition>(GameTree&)>;
    // Runs `change` on game `index`; it gives the position shown after it, or nothing when it
    // changed nothing. An edit of `run` may join the last step (see edit()).
    bool apply(int index, const Change& change, std::string_view run = {});
    void changed();
    // New content that counts as saved: shown from its root, without a history.
    void startAfresh();
    void swapIn(Step& step, bool forward);
    void trimHistory();

    SgfGames games_;
    LinePosition position_;
    std::vector<Step> history_;
    std::size_t done_ = 0;   // steps of history_ in effect
    std::size_t saved_ = 0;  // done_ when the content was last read or saved
    bool runOpen_ = false;   // the last step may still take in edits of its run
    std::uint64_t revision_ = 0;
    std::vector<Observer> observers_;
    std::size_t historyNodes_;
};

}  // namespace kelmaz
