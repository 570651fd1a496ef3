#include "app/CloneWindows.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "app/Program.h"
#include "shell/CloneArgs.h"
#include "shell/StartupSettings.h"
#include "shell/ui/FomSet.h"
#include "view/BoardGeometry.h"
#include "view/ui/FomMain.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

CloneWindows::CloneWindows(Program& program)
    : program_(program), starter_(detachedProcessStarter()) {}

QString CloneWindows::cloneArguments() const {
    const FomMain& window = program_.fomMain();
    const QPoint at = window.pos();
    const WindowGeometry geometry{at.y() * kTwipsPerPixel, at.x() * kTwipsPerPixel,
                                  window.height() * kTwipsPerPixel,
                                  window.width() * kTwipsPerPixel};
    return QString::fromStdString(BuildCloneArgs(program_.state(), CloneCounter,
                                                 static_cast<long long>(window.winId()), geometry));
}

void CloneWindows::OpenCloneWindow(bool increaseCounter) {
    if (increaseCounter) ++CloneCounter;
    FomMain& window = program_.fomMain();
    window.holdNewWindowButton();
    const QString program = QCoreApplication::applicationFilePath();
    if (starter_(program, {cloneArguments()})) return;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("新しいウィンドウの作成"),
                                QStringLiteral("新しいウィンドウを作成できませんでした。\n") +
                                    QStringLiteral("プログラムを起動できません: ") + program,
                                QMessageBox::Ok, &window);
    box->setObjectName(QStringLiteral("CloneStartFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void CloneWindows::CommandLine(const QStringList& arguments) {
    std::vector<std::string> args;
    args.reserve(static_cast<std::size_t>(arguments.size()));
    for (const QString& a : arguments) args.push_back(a.toStdString());
    const CloneSetup setup = parseCloneArgs(args);

    GameState& state = program_.state();
    CloneCounter = setup.cloneCounter;
    FomMain& window = program_.fomMain();
    if (setup.geometry) {
        // Directly right of the launching window; a place off every screen (a launching
        // window at the right edge) is brought back as a stored place would be.
        const WindowGeometry& g = *setup.geometry;
        window.resize(twipsToPixels(g.width), twipsToPixels(g.height));
        placeWindow(window, {twipsToPixels(g.left), twipsToPixels(g.top)});
    }
    // The size first: taking it clears the board.
    if (setup.boardSize != 0) {
        program_.fomSet().takeRecordSize(
            chooseBoardSize(std::to_string(setup.boardSize), program_.options()));
    }
    applyCloneSetup(state, setup);
    window.setCaption(state.WindowTitle);
    window.ResizeRedraw();
}

}  // namespace kelmaz
