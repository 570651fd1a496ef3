#include "app/StateDump.h"

#include <QFile>
#include <QPixmap>
#include <QStringList>

#include "view/BoardGeometry.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

QString stateDumpPath() { return qEnvironmentVariable("KELMAZ_STATE_DUMP"); }

bool writeStateDump(const QString& path, FomMain& mainWindow, const GameState& state,
                    const QStringList& questions) {
    QStringList moves;
    for (int k = 1; k <= state.MoveCount && k <= kMaxMoves; ++k)
        moves << QStringLiteral("%1,%2,%3")
                     .arg(state.MoveCol[k])
                     .arg(state.MoveRow[k])
                     .arg(state.MoveColour[k]);
    const QPoint at = mainWindow.pos();
    QStringList lines = {
        QStringLiteral("caption=") + mainWindow.windowTitle(),
        QStringLiteral("instance=") + QString::fromStdString(state.InstanceNo),
        QStringLiteral("top=%1").arg(at.y() * kTwipsPerPixel),
        QStringLiteral("left=%1").arg(at.x() * kTwipsPerPixel),
        QStringLiteral("width=%1").arg(mainWindow.width() * kTwipsPerPixel),
        QStringLiteral("height=%1").arg(mainWindow.height() * kTwipsPerPixel),
        QStringLiteral("pixelRatio=%1").arg(mainWindow.devicePixelRatioF()),
        QStringLiteral("moveCount=%1").arg(state.MoveCount),
        QStringLiteral("moves=") + moves.join(QLatin1Char(';')),
        QStringLiteral("comment=") + QString::fromStdString(mainWindow.commentaryText())
                                         .replace(QLatin1Char('\n'), QLatin1String("\\n")),
    };
    for (const QString& question : questions) lines << QStringLiteral("question=") + question;
    mainWindow.grab().save(path + QStringLiteral(".png"), "PNG");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) > 0;
}

}  // namespace kelmaz
