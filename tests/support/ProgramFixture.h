#pragma once
// A running program for window tests: its own settings folder (KELMAZ_CONFIG_DIR points to a
// fresh temporary folder for the test's lifetime), an optional settings file written before
// start-up, and helpers to click board points.
#include <gtest/gtest.h>

#include <QPoint>
#include <QTest>
#include <memory>
#include <string>

#include "app/Program.h"
#include "engine/GameState.h"
#include "support/ConfigDirGuard.h"
#include "support/FakeDialogs.h"
#include "support/TestSupport.h"
#include "view/BoardGeometry.h"
#include "view/ui/BoardView.h"
#include "view/ui/FomMain.h"

namespace kelmaz::test {

class ProgramFixture : public ::testing::Test {
  protected:
    // The program ends while the test's own members still stand, as it would in use.
    void TearDown() override { program_.reset(); }

    void writeIni(const std::string& text) { writeBytes(iniFile(), text); }
    std::filesystem::path iniFile() const { return dir_.file("kelmaz.ini"); }

    Program& start() {
        program_ = std::make_unique<Program>();
        program_->setDialogs(dialogs_);
        program_->StartupMain();
        return *program_;
    }
    Program& program() { return *program_; }
    GameState& state() { return program_->state(); }
    FomMain& main() { return program_->fomMain(); }
    BoardView& board() { return main().board(); }

    // The pixel position of the crossing of column c and row r on the board widget.
    QPoint pointAt(int col, int row) {
        const int p = board().pitch();
        return {qRound((kBoardMargin + col * p) / double(kTwipsPerPixel)),
                qRound((kBoardMargin + row * p) / double(kTwipsPerPixel))};
    }
    void clickPoint(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&board(), button, {}, pointAt(col, row));
    }
    int stoneAt(int col, int row) { return state().BoardGrid[col][row]; }

    TempDir dir_;
    // For windows of the running program whose questions and notices a test answers or reads.
    FakeDialogs dialogs_;

  private:
    ConfigDirGuard config_{dir_.path()};
    std::unique_ptr<Program> program_;
};

}  // namespace kelmaz::test
