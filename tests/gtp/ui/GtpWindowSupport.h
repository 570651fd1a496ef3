#pragma once
// A running program with its computer-game window open on 9 lines, talking to the scripted
// engine; the messages the window would show in a box are collected instead.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <string>

#include "gtp/ui/FomGtp.h"
#include "support/ProgramFixture.h"
#include "support/WaitFor.h"

namespace kelmaz::test {

class GtpWindowTest : public ProgramFixture {
  protected:
    // The notices the window would have shown in a box.
    QStringList& messages = dialogs_.notices;

    // Opens the window with `command` as the engine, 9 lines, the user playing `colour`.
    FomGtp& open(const QString& command, int colour = kBlack) {
        start();
        program().showGtpWindow();
        FomGtp& w = *program().fomGtp();
        w.setDialogs(dialogs_);
        w.findChild<QLineEdit*>("TxtCommand")->setText(command);
        w.findChild<QButtonGroup*>("OptSize")->button(2)->click();
        w.findChild<QButtonGroup*>("OptColour")->button(colour == kWhite ? 1 : 0)->click();
        return w;
    }
    // The scripted engine with `args`; it writes the commands it receives to engineLog().
    FomGtp& openFake(const QString& args, int colour = kBlack) {
        return open(QStringLiteral("%1 --log %2 %3")
                        .arg(QStringLiteral(KELMAZ_FAKE_GTP),
                             QString::fromStdString(engineLog().string()), args),
                    colour);
    }
    std::filesystem::path engineLog() const { return dir_.file("engine.log"); }
    std::string engineCommands() const { return readBytes(engineLog()); }

    // Starts the game and waits until the engine's board is set up (and its opening move made).
    void startGame() {
        press("CmdStart");
        ASSERT_TRUE(waitFor([&] { return window().playing() && !window().thinking(); }));
    }
    FomGtp& window() { return *program().fomGtp(); }
    void press(const char* name) { window().findChild<QAbstractButton*>(name)->click(); }
    bool boardButtonsEnabled() { return main().findChild<QToolButton*>("Command1")->isEnabled(); }
    bool logHas(const QString& text) {
        for (const QString& line : window().logLines())
            if (line.contains(text)) return true;
        return false;
    }
    bool messageHas(const QString& text) {
        for (const QString& line : messages)
            if (line.contains(text)) return true;
        return false;
    }
};

}  // namespace kelmaz::test
