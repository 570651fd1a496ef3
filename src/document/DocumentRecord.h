#pragma once
// The record the board engine keeps, held in the program's document: every change the engine
// asks for is an edit of the document, and the line the document shows is laid into the
// GameState's move record (moves, comments, marks, setup stones) after every change of the
// document, whoever made it, so the two never differ.
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

    // A record read from SGF text (decoded): every game, node and property of it.
    void takeSgf(std::string_view text);
    // A record a reader of another format wrote into the move record and game information:
    // the document becomes that record, as a game made in the program.
    void takeMoveRecord();
    // The tree text the reader made for the tree window (GameState::SgfText) is the record's.
    void treeTextRead() { treeText_ = state_.SgfText; }

    // Before the document is written: an edited tree text replaces the game, the commentary
    // box is the comment of the position shown, and the root carries the game information as
    // the dialog shows it, with the program named as the writer.
    void prepareForSave(const std::string& commentary);

    void playMove(int k, int col, int row, int colour, bool asVariation) override;
    void cutAfter(int k) override;
    void setComment(int k, const std::string& text) override;
    void startWithBlackMoves(const std::vector<BoardPoint>& points) override;
    void clear() override;
    void showAgain() override { show(); }

  private:
    void show();
    // When the move record shows another line than the document's position (laid out by a
    // window from the tree text), the position moves to that line where the document has it;
    // moves beyond what the document holds are added to it.
    void followBoardLine();
    // The tree text, when the tree window edited it since it was read, becomes the game.
    void takeTreeText();
    void takeGameInfo(const GameInfo& info);
    // The SGF value of a point of the board as the record holds it (the view may be turned).
    std::string recordPoint(int col, int row) const;

    RecordDocument& document_;
    GameState& state_;
    LineProjection line_;
    std::string treeText_;  // the tree text as read or last taken
};

}  // namespace kelmaz
