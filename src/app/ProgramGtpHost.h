#pragma once
// What a computer game does to the running program beyond a network match's board operations:
// the settings dialog's size and stone options, the board's dead-stone crosses, the game
// information dialog and the route of the moves placed on the board.
#include "gtp/GtpHost.h"

namespace kelmaz {

class Program;

class ProgramGtpHost : public GtpHost {
  public:
    explicit ProgramGtpHost(Program& program) : program_(program) {}

    void selectBoardSize(int sizeIndex) override;
    void useAlternateStones() override;
    void showDeadMarks() override;
    void setGameInfo(InfoField field, const std::string& text) override;
    void routeMoves(NetLink* link) override;

  private:
    Program& program_;
};

}  // namespace kelmaz
