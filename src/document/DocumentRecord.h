#pragma once
// The record the board engine keeps, held in the program's document: every change the engine
// asks for is an edit of the document, and the line the document shows is laid into the
// GameState's move record (moves, comments, marks, setup stones) after every change of the
// document, whoever made it, so the two never differ. While a tree is held (a file's tree, or
// the tree window shows the record), the tree text (GameState::SgfText) is the game shown,
// written out: the tree window reads it and sends its edits to the document.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/LineProjection.h"
#include "document/RecordDocument.h"
#include "engine/RecordKeeper.h"

namespace kelmaz {

class DocumentRecord : public RecordKeeper {
  public:
    DocumentRecord(RecordDocument& document, GameState& state);
    DocumentRecord(const DocumentRecord&) = delete;
    DocumentRecord& operator=(const DocumentRecord&) = delete;

    RecordDocument& document() { return document_; }
    const RecordDocument& document() const { return document_; }
    // The line shown, as last laid into the move record.
    const LineProjection& line() const { return line_; }
    // The move number of the document's position on the line shown (0 before the first move).
    int positionSlot() const;

    // A record read from SGF text (decoded): every game, node and property of it, the game
    // information of the root of the game shown, and the sequence viewer's outline (List3) of
    // that game, kept in step with its edits. Text in which no game is found gives an empty
    // record.
    void takeSgf(std::string_view text);
    // The moves and game information a reader of another format took from a file: the
    // document becomes that record, as a game made in the program, and no outline is offered.
    void takeMoveRecord(const ReadMoves& read);

    // Whether the tree text shows the game (see above); turning it off empties the text.
    void holdTree(bool held);
    bool holdsTree() const { return treeHeld_; }

    // The game information becomes what the root of the game shown holds (a file read into
    // the tree window): every field, a field the root lacks empty.
    void takeRootInfo();
    // Field `index` of the game information becomes `text` (labels too), and the game's root
    // property with it, as an edit: the characters typed into one field are one step.
    void setGameInfoField(int index, const std::string& text);

    // Before the document is written: the commentary box is the comment of the position
    // shown, and the root carries the game information as the dialog shows it, with the
    // program named as the writer.
    void prepareForSave(const std::string& commentary);
    // Whether the save of the game shown would write text read with bytes its charset could not
    // decode (shown as U+FFFD), in the game, its information or `commentary` (the commentary
    // box): written, the original characters would be lost for good, so the windows ask first.
    bool holdsUndecodedText(std::string_view commentary) const;

    void playMove(int k, int col, int row, int colour, bool asVariation) override;
    void cutAfter(int k) override;
    void setComment(int k, const std::string& text) override;
    void startWithBlackMoves(const std::vector<BoardPoint>& points) override;
    void clear() override;
    void showAgain() override { show(); }
    VariationShown showVariation(const std::vector<int>& path) override;

  private:
    void show();
    // Writes the game shown into the tree text while a tree is held, else empties it; and
    // into the outline while the record came from SGF text. Each is rewritten only when the
    // game shown or its content changed.
    void showTreeText();
    // A game-information property of the root that an edit, undo or redo changed shows in the
    // game information; the fields others wrote stay as they are.
    void showRootInfo();
    // When the move record shows another line than the document's position (laid out by a
    // window from the tree text), the position moves to that line where the document has it;
    // moves beyond what the document holds are added to it.
    void followBoardLine();
    // How far the document holds the line the move record shows: the node of the last move it
    // holds, and the first move it does not (past the last move when it holds them all);
    // nothing when the document's line shown starts with the whole of it.
    struct HeldLine {
        int node = 0;
        int firstMissing = 0;
    };
    std::optional<HeldLine> boardLineHeld() const;
    void takeGameInfo(const GameInfo& info);
    // The SGF value of a point of the board as the record holds it (the view may be turned).
    std::string recordPoint(int col, int row) const;

    RecordDocument& document_;
    GameState& state_;
    LineProjection line_;
    bool treeHeld_ = false;
    // The root's game-information values as last seen; a new record only sets them.
    std::array<std::string, kGameInfoFields> rootInfo_{};
    bool newRecord_ = true;
    // The document revision and game the tree text was last written for.
    std::uint64_t treeRevision_ = 0;
    int treeGame_ = -1;
    // Whether the record came from SGF text, and what the outline was last written for.
    bool outlined_ = false;
    std::uint64_t outlineRevision_ = 0;
    int outlineGame_ = -1;
};

}  // namespace kelmaz
