#pragma once
// What a match does to the running program: its board engine, its main window and the
// settings dialog's handicap options.
#include "net/MatchSession.h"

namespace kelmaz {

class Program;

class ProgramMatchBoard : public MatchBoard {
  public:
    explicit ProgramMatchBoard(Program& program) : program_(program) {}

    void clearBoard() override;
    void redraw(int from, int upto) override;
    void relayout() override;
    void selectHandicap(int optionIndex) override;
    void setCommentary(const std::string& text) override;
    void setBoardButtonsEnabled(bool enabled) override;
    bool mayDiscardRecord() override;
    void keepRecordBeforeClear() override;
    RecordKeeper& record() override;

  private:
    Program& program_;
};

}  // namespace kelmaz
