#pragma once
// Hooks for tests that start the built program as a second process and drive it without a
// keyboard or a screen (StateDump.h describes the report such a test reads back):
//   KELMAZ_TEST_ANSWER  "yes" or "no": every question the program puts to the user is answered
//                       so at once, without a message box, and recorded for the report.
//   KELMAZ_TEST_EDITS   steps done once the start-up is over, separated by ';': "col,row" is a
//                       left click on that point of the board, "C:text" types the text into the
//                       commentary box. A step of any other form is passed over.
#include <QStringList>
#include <memory>

#include "view/ui/UserDialogs.h"

namespace kelmaz {

class Program;

// Answers every question with one answer and keeps the questions asked.
class ScriptedDialogs : public UserDialogs {
  public:
    explicit ScriptedDialogs(bool answer) : answer_(answer) {}
    bool ask(const QString& title, const QString& question) override;
    void inform(const QString& title, const QString& text) override;
    const QStringList& questions() const { return questions_; }

  private:
    bool answer_;
    QStringList questions_;
};

// The dialogs KELMAZ_TEST_ANSWER asks for; null when it is not set.
std::unique_ptr<ScriptedDialogs> scriptedDialogsFromEnvironment();

// Does the steps of KELMAZ_TEST_EDITS through the main window, as the user's click and typing.
void runTestEdits(Program& program);

}  // namespace kelmaz
