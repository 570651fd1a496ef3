#pragma once
// The edit palette 「編集」 and the problem mode 「詰碁モード」 on the program's document: their
// items in the コントロール menu, and the board's clicks routed to whichever of them is on
// (the problem mode first), in the record's own points when the board is shown turned. Both
// speak through the program's dialogs, and 次の問題 goes on through the file the record came from.
#include <QObject>

class QWidget;

namespace kelmaz {

class EditPalette;
class ProblemWindow;
class Program;

class ProgramEditing : public QObject {
    Q_OBJECT
  public:
    explicit ProgramEditing(Program& program);
    ~ProgramEditing() override;

    EditPalette& palette() { return *palette_; }
    ProblemWindow& problems() { return *problems_; }

  private:
    void routeClicks();
    // The board is built again at the position of the document's node: its setup stones and
    // marks as they now are.
    void showDocumentPosition();
    // Before a tool window first opens: below the board window, the problem window right of
    // the palette, so that neither covers the board. Later it stays where the user put it.
    void placeBelowBoard(QWidget& tool);
    // The document's position becomes a node of the position the board shows, unless it is
    // one already: stepping through the record moves the board alone.
    void chooseShownNode();
    // Whether the palette or the problem mode took the point.
    bool pointOnBoard(int col, int row, bool dragged);

    Program& program_;
    EditPalette* palette_ = nullptr;     // owned by the main window, as its tool window
    ProblemWindow* problems_ = nullptr;  // the same
};

}  // namespace kelmaz
