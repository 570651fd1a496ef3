// The board program `kelmaz`.
#include <QApplication>

#include "shell/ui/AppResources.h"
#include "shell/ui/Program.h"
#ifdef KELMAZ_HAVE_WEB
#include "browser/ui/ProgramBrowser.h"
#endif

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
#ifdef KELMAZ_HAVE_WEB
    program.setBrowserFactory(kelmaz::makeProgramBrowser);
#endif
    QObject::connect(&program, &kelmaz::Program::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.StartupMain(arguments.join(QLatin1Char(' ')));
    return app.exec();
}
