#include "app/ProgramMatchBoard.h"

#include "app/Program.h"
#include "engine/Engine.h"
#include "shell/ui/FomSet.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

void ProgramMatchBoard::clearBoard() { program_.engine().gCls(); }

void ProgramMatchBoard::redraw(int from, int upto) { program_.engine().Redraw(from, upto); }

void ProgramMatchBoard::relayout() { program_.fomMain().ResizeRedraw(); }

// Selecting the option runs the dialog's handler, which places the stones and, a match
// being active, announces them back to the peer.
void ProgramMatchBoard::selectHandicap(int optionIndex) {
    program_.fomSet().Option6_Click(optionIndex);
}

void ProgramMatchBoard::setCommentary(const std::string& text) {
    program_.fomMain().setCommentaryText(text);
}

RecordKeeper& ProgramMatchBoard::record() { return program_.record(); }

void ProgramMatchBoard::setBoardButtonsEnabled(bool enabled) {
    program_.fomMain().setMatchButtonsEnabled(enabled);
}

bool ProgramMatchBoard::mayDiscardRecord() { return program_.mayDiscardRecord(); }

void ProgramMatchBoard::keepRecordBeforeClear() { program_.recovery().keepBeforeClear(); }

}  // namespace kelmaz
