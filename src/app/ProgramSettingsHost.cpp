#include "app/ProgramSettingsHost.h"

#include "app/Program.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

void ProgramSettingsHost::relayoutMainWindow() { program_.fomMain().ResizeRedraw(); }

bool ProgramSettingsHost::mayDiscardRecord() { return program_.mayDiscardRecord(); }

void ProgramSettingsHost::repaintBoard() { program_.fomMain().boardChanged(); }

void ProgramSettingsHost::setCommentaryShown(bool shown) {
    program_.fomMain().setCommentaryShown(shown);
}

ViewerLink& ProgramSettingsHost::viewer() { return program_.viewer(); }

NetLink& ProgramSettingsHost::net() { return program_.net(); }

void ProgramSettingsHost::speedChanged(int milliseconds) {
    program_.viewerSpeedChanged(milliseconds);
}

}  // namespace kelmaz
