// The board program `kelmaz`.
#include <QApplication>
#include <QTimer>

#include "shell/ui/AppResources.h"
#include "shell/ui/Program.h"
#ifdef KELMAZ_HAVE_WEB
#include "browser/ui/ProgramBrowser.h"
#endif
#include "shell/ui/StateDump.h"
#include "view/ui/FomMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmaz"));
    QApplication::setQuitOnLastWindowClosed(false);
    kelmaz::loadAppResources();
    kelmaz::installQtTranslations();
    kelmaz::applyDesktopIdentity();

    // A clone window gets its comma list as the arguments after the program name; a single
    // argument is taken exactly as given, since it may be a file's path with blanks in it.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const QString commandLine =
        arguments.size() == 1 ? arguments.front() : arguments.join(QLatin1Char(' '));

    kelmaz::Program program;
#ifdef KELMAZ_HAVE_WEB
    program.setBrowserFactory(kelmaz::makeProgramBrowser);
#endif
    QObject::connect(&program, &kelmaz::Program::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.StartupMain(commandLine);
    // A test that starts the program as a second process asks for a report of what it shows.
    const QString dump = kelmaz::stateDumpPath();
    if (!dump.isEmpty()) {
        QTimer::singleShot(0, &program, [&program, dump] {
            const bool written = kelmaz::writeStateDump(dump, program.fomMain(), program.state());
            QCoreApplication::exit(written ? 0 : 1);
        });
    }
    return app.exec();
}
