#include "app/ProgramLibraryHost.h"

#include "app/Program.h"
#include "app/RecordIntake.h"
#include "engine/Engine.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

library::Pattern ProgramLibraryHost::boardPosition() {
    return library::positionPattern(program_.state());
}

void ProgramLibraryHost::openLibraryGame(const std::string& file, int game, int move) {
    if (!readGameIntoBoard(program_, file, static_cast<std::size_t>(game))) return;
    program_.engine().goToMove(std::to_string(move));
    program_.fomMain().raise();
    program_.fomMain().activateWindow();
}

}  // namespace kelmaz
