#pragma once
// Second boards: the new-window commands start another copy of the program with this
// window's position on its command line, and a copy so started takes its number, place and
// position from that command line.
#include <QStringList>

#include "app/CloneLauncher.h"

namespace kelmaz {

class Program;

class CloneWindows {
  public:
    explicit CloneWindows(Program& program);

    // How many clones the new-window button has started from this window.
    int CloneCounter = 0;

    // Replaces the way the clone's process is started (tests).
    void setStarter(ProcessStarter starter) { starter_ = std::move(starter); }

    // The new-window button (counter increased) and the menu command (counter unchanged):
    // holds the button for its re-enable time and starts the running program's own executable
    // with the comma list as one argument. A message tells the user when it cannot be started.
    void OpenCloneWindow(bool increaseCounter);

    // The list this window hands to a clone now.
    QString cloneArguments() const;

    // In a started copy: takes number, counter, place and moves from the split command line
    // and rebuilds the position.
    void CommandLine(const QStringList& arguments);

  private:
    Program& program_;
    ProcessStarter starter_;
};

}  // namespace kelmaz
