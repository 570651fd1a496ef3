#include "app/ProgramGtpHost.h"

#include "app/Program.h"
#include "engine/Engine.h"
#include "net/ui/FomSock.h"
#include "shell/ui/FomSet.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

// A new size goes through the dialog's own handler, as if the user had chosen it: the board is
// cleared, laid out again and the choice stored. The size the board has needs only the clear.
void ProgramGtpHost::selectBoardSize(int sizeIndex) {
    if (program_.options().sizeIndex == sizeIndex && program_.options().otherSize == 0) {
        program_.engine().gCls();
        return;
    }
    program_.fomSet().Option1_Click(sizeIndex);
}

void ProgramGtpHost::useAlternateStones() {
    program_.options().stones = StoneChoice::Alternate;
    program_.fomSet().selectStones(StoneChoice::Alternate);
}

void ProgramGtpHost::showDeadMarks() { program_.fomMain().boardChanged(); }

void ProgramGtpHost::setGameInfo(InfoField field, const std::string& text) {
    program_.record().setGameInfoField(static_cast<int>(field), text);
    program_.gameInfoChanged();
}

// Handed back, the moves go to the match window again when it exists.
void ProgramGtpHost::routeMoves(NetLink* link) {
    program_.setNet(link ? link : program_.fomSock());
}

}  // namespace kelmaz
