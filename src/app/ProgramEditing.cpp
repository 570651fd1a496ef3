#include "app/ProgramEditing.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "app/Program.h"
#include "app/RecordIntake.h"
#include "document/DocumentRecord.h"
#include "document/ui/EditPalette.h"
#include "document/ui/ProblemWindow.h"
#include "engine/Engine.h"
#include "view/ui/FomMain.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

ProgramEditing::ProgramEditing(Program& program)
    : program_(program),
      palette_(new EditPalette(program.document(), &program.fomMain())),
      problems_(new ProblemWindow(program.document(), &program.fomMain())) {
    QMenu& control = program.fomMain().controlMenu();
    // Before the last separator and 終了.
    QAction* before = control.actions().at(control.actions().size() - 2);
    auto* edit = new QAction(QStringLiteral("編集"), &control);
    edit->setObjectName(QStringLiteral("mEdit"));
    edit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(edit, &QAction::triggered, this, [this] {
        palette_->setDialogs(program_.dialogs());
        placeBelowBoard(*palette_);
        palette_->show();
        palette_->raise();
    });
    auto* problem = new QAction(QStringLiteral("詰碁モード"), &control);
    problem->setObjectName(QStringLiteral("mProblem"));
    connect(problem, &QAction::triggered, this, [this] {
        problems_->setDialogs(program_.dialogs());
        placeBelowBoard(*problems_);
        problems_->begin();
        routeClicks();
    });
    control.insertActions(before, {edit, problem});
    problems_->setNextGame([this] { return readNextCollectionGame(program_); });
    palette_->setBeforeEdit([this] { chooseShownNode(); });
    connect(palette_, &EditPalette::toolChanged, this, &ProgramEditing::routeClicks);
    connect(problems_, &ProblemWindow::ended, this, &ProgramEditing::routeClicks);
    connect(palette_, &EditPalette::edited, this, &ProgramEditing::showDocumentPosition);
    connect(problems_, &ProblemWindow::positionChosen, this, &ProgramEditing::showDocumentPosition);
}

ProgramEditing::~ProgramEditing() { program_.fomMain().setPointRoute({}); }

void ProgramEditing::routeClicks() {
    FomMain& main = program_.fomMain();
    if (!problems_->active() && !palette_->tool()) return main.setPointRoute({});
    main.setPointRoute(
        [this](int col, int row, bool dragged) { return pointOnBoard(col, row, dragged); });
}

void ProgramEditing::showDocumentPosition() {
    const LineProjection& line = program_.record().line();
    const auto at =
        std::find(line.line.begin(), line.line.end(), program_.document().position().node);
    if (at == line.line.end()) return;
    // The slot whose nodes hold the node: the last one starting at or before it.
    const auto index = static_cast<std::size_t>(at - line.line.begin());
    const auto slot = std::upper_bound(line.slotStarts.begin(), line.slotStarts.end(), index) -
                      line.slotStarts.begin() - 1;
    program_.engine().Redraw(1, static_cast<int>(slot));
}

void ProgramEditing::chooseShownNode() {
    const LineProjection& line = program_.record().line();
    RecordDocument& document = program_.document();
    if (line.slotCount() == 0) return;
    const int slot = std::clamp(program_.state().MoveCount, 0, line.slotCount() - 1);
    const auto first = line.line.begin() + static_cast<std::ptrdiff_t>(line.slotStarts[slot]);
    const auto last = line.line.begin() + static_cast<std::ptrdiff_t>(line.slotEnd(slot));
    if (std::find(first, last, document.position().node) != last) return;
    // The slot's last node: where its setup after the move stands, if it has any.
    document.choose({document.position().game, *(last - 1)});
}

void ProgramEditing::placeBelowBoard(QWidget& tool) {
    if (tool.testAttribute(Qt::WA_Moved)) return;
    const QRect board = program_.fomMain().frameGeometry();
    const int gap = std::max(1, twipsToPixels(60));
    const QMargins frame = frameMargins(tool);
    const int left = &tool == palette_ ? board.left()
                                       : board.left() + palette_->sizeHint().width() +
                                             frame.left() + frame.right() + gap;
    placeWindow(tool, {left, board.bottom() + 1 + gap}, tool.sizeHint());
}

bool ProgramEditing::pointOnBoard(int col, int row, bool dragged) {
    const GameState& state = program_.state();
    std::int16_t c = static_cast<std::int16_t>(col), r = static_cast<std::int16_t>(row);
    if (state.BoardRotated) turnPoint(state.BoardSize, c, r);
    if (problems_->active()) {
        if (!dragged) problems_->pointClicked(c, r);
        return true;
    }
    // The problem mode ends when the record changes under it; the click is then play again.
    routeClicks();
    if (!palette_->tool()) return false;
    if (dragged) {
        palette_->pointDragged(c, r);
    } else {
        palette_->pointPressed(c, r);
    }
    return true;
}

}  // namespace kelmaz
