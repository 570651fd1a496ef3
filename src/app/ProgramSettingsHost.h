#pragma once
// What the settings window's choices do to the running program: its main window, the sequence
// viewer's speed bar and the links of the viewer and match windows.
#include "shell/ui/SettingsWindowHost.h"

namespace kelmaz {

class Program;

class ProgramSettingsHost : public SettingsWindowHost {
  public:
    explicit ProgramSettingsHost(Program& program) : program_(program) {}

    void relayoutMainWindow() override;
    bool mayDiscardRecord() override;
    void repaintBoard() override;
    void setCommentaryShown(bool shown) override;
    ViewerLink& viewer() override;
    NetLink& net() override;
    void speedChanged(int milliseconds) override;

  private:
    Program& program_;
};

}  // namespace kelmaz
