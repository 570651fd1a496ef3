#pragma once
// What the library window asks of the program: the main board's position, and a game of the
// library read into the board through the one intake, at its matched move.
#include "library/ui/FomLibrary.h"

namespace kelmaz {

class Program;

class ProgramLibraryHost : public LibraryWindowHost {
  public:
    explicit ProgramLibraryHost(Program& program) : program_(program) {}
    library::Pattern boardPosition() override;
    void openLibraryGame(const std::string& file, int game, int move) override;

  private:
    Program& program_;
};

}  // namespace kelmaz
