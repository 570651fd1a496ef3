#pragma once
// The edit palette 「編集」: a small tool window whose tools turn clicks on the board into
// edits of the record (setup stones, marks, labels) instead of stones played, and whose 手番
// button gives the move to the other player. A press starts a stroke and a drag carries it on
// along the points crossed, all one edit. Esc, or closing the palette, puts the tool down and
// gives the clicks back to play.
#include <QWidget>
#include <functional>
#include <optional>

#include "document/BoardEdits.h"
#include "view/ui/UserDialogs.h"

class QButtonGroup;

namespace kelmaz {

class EditPalette : public QWidget {
    Q_OBJECT
  public:
    // `boardWindow` is the window whose board the tools work on: Esc there puts the tool
    // down too.
    EditPalette(RecordDocument& document, QWidget* boardWindow);
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }
    // Run before each click and 手番: brings the document to the position the board shows,
    // which stepping through the record may have moved without the document.
    void setBeforeEdit(std::function<void()> showShown) { beforeEdit_ = std::move(showShown); }

    // The tool in hand; none while clicks play stones.
    std::optional<EditTool> tool() const { return tool_; }
    void putToolDown();

    // The board was pressed on a point (a new stroke) or the mouse dragged over one.
    void pointPressed(int col, int row);
    void pointDragged(int col, int row);

  signals:
    // A tool was taken up or put down.
    void toolChanged();
    // A click, a point of a drag or 手番 changed the record.
    void edited();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    void applied(const EditOutcome& outcome);

    RecordDocument& document_;
    MessageBoxDialogs ownDialogs_{this};
    UserDialogs* dialogs_ = &ownDialogs_;
    QButtonGroup* tools_ = nullptr;
    std::optional<EditTool> tool_;
    std::optional<EditStroke> stroke_;
    std::function<void()> beforeEdit_;
};

}  // namespace kelmaz
