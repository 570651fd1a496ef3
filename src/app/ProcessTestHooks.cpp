#include "app/ProcessTestHooks.h"

#include <QPlainTextEdit>

#include "app/Program.h"
#include "view/BoardGeometry.h"
#include "view/ui/BoardView.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

bool ScriptedDialogs::ask(const QString&, const QString& question) {
    questions_ << question;
    return answer_;
}

void ScriptedDialogs::inform(const QString&, const QString&) {}

std::unique_ptr<ScriptedDialogs> scriptedDialogsFromEnvironment() {
    const QString answer = qEnvironmentVariable("KELMAZ_TEST_ANSWER");
    if (answer.isEmpty()) return nullptr;
    return std::make_unique<ScriptedDialogs>(answer == QLatin1String("yes"));
}

void runTestEdits(Program& program) {
    FomMain& window = program.fomMain();
    const QStringList steps =
        qEnvironmentVariable("KELMAZ_TEST_EDITS").split(u';', Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        if (step.startsWith(QLatin1String("C:"))) {
            auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("TxtKaisetu"));
            if (box) box->insertPlainText(step.mid(2));
            continue;
        }
        const QStringList point = step.split(u',');
        bool colRead = false;
        bool rowRead = false;
        const int col = point.value(0).toInt(&colRead);
        const int row = point.value(1).toInt(&rowRead);
        if (point.size() != 2 || !colRead || !rowRead) continue;
        // The twips a left click at the crossing reports; the window's hit test does the rest.
        BoardView& board = window.board();
        const int pitch = board.pitch();
        emit board.leftClicked(kBoardMargin + col * pitch, kBoardMargin + row * pitch);
    }
}

}  // namespace kelmaz
