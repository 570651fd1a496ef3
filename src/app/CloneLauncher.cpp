#include "app/CloneLauncher.h"

#include <QProcess>

namespace kelmaz {

ProcessStarter detachedProcessStarter() {
    return [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

}  // namespace kelmaz
