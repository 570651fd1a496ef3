// The board program `kelmaz`.
#include <QApplication>

#include "shell/ui/AppResources.h"
#include "shell/ui/Program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmaz"));
    QApplication::setQuitOnLastWindowClosed(false);
    kelmaz::loadAppResources();
    kelmaz::applyDesktopIdentity();

    // A clone window gets its comma list as the arguments after the program name.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    kelmaz::Program program;
    QObject::connect(&program, &kelmaz::Program::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.StartupMain(arguments.join(QLatin1Char(' ')));
    return app.exec();
}
