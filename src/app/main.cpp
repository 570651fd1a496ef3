// The board program `kelmaz`.
#include <QApplication>
#include <QTimer>
#include <array>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "shell/ui/AppResources.h"
#ifdef KELMAZ_HAVE_WEB
#include "app/ProgramBrowser.h"
#endif
#include "app/ProcessTestHooks.h"
#include "app/StateDump.h"
#include "shell/ProgramOptions.h"
#include "view/ui/FomMain.h"

namespace {

// The toolkit's own command-line options, handed on to it untouched.
constexpr std::array<kelmaz::PassedOption, 14> kToolkitOptions = {{
    {"-platform", true},
    {"-platformpluginpath", true},
    {"-platformtheme", true},
    {"-plugin", true},
    {"-qwindowgeometry", true},
    {"-qwindowicon", true},
    {"-qwindowtitle", true},
    {"-session", true},
    {"-display", true},
    {"-geometry", true},
    {"-style", true},
    {"-stylesheet", true},
    {"-reverse", false},
    {"-widgetcount", false},
}};

constexpr const char* kHelpText =
    "使い方: kelmaz [オプション] [棋譜ファイル]\n"
    "碁盤・棋譜ソフトです。棋譜ファイル (SGF・UGF・アプレットのページ・Tki) を指定すると、\n"
    "読み込んで盤に並べます。\n"
    "\n"
    "  -h, --help   この説明を表示して終了します\n"
    "  --version    バージョンを表示して終了します\n"
    "  --           これより後ろはオプションではなく棋譜ファイルの名前です\n"
    "\n"
    "Qt のオプション (-platform、-display、-geometry、-style など) も使えます。\n"
    "設定は kelmaz.ini に保存します。環境変数 KELMAZ_CONFIG_DIR でそのフォルダを指定できます。\n"
    "詳しくは man kelmaz をご覧ください。\n";

}  // namespace

int main(int argc, char** argv) {
    const kelmaz::ProgramOptions options = kelmaz::parseProgramOptions(
        kelmaz::argumentsAfterName(argc, argv), kToolkitOptions, kelmaz::OptionPlacement::Anywhere);
    switch (options.action) {
        case kelmaz::OptionsAction::Run:
            break;
        case kelmaz::OptionsAction::Help:
            std::cout << kHelpText;
            return 0;
        case kelmaz::OptionsAction::Version:
            std::cout << "kelmaz " KELMAZ_VERSION "\n";
            return 0;
        case kelmaz::OptionsAction::UnknownOption:
            std::cerr << "kelmaz: " << options.offending
                      << " というオプションはありません (kelmaz --help で使い方を表示します)\n";
            return 2;
        case kelmaz::OptionsAction::MissingValue:
            std::cerr << "kelmaz: オプション " << options.offending << " の値がありません\n";
            return 2;
    }

    // The toolkit sees only its own options, so an operand never changes how it starts.
    std::vector<std::string> toolkitArgs{argc > 0 ? argv[0] : "kelmaz"};
    toolkitArgs.insert(toolkitArgs.end(), options.passedOn.begin(), options.passedOn.end());
    std::vector<char*> toolkitArgv;
    for (std::string& arg : toolkitArgs) toolkitArgv.push_back(arg.data());
    int toolkitArgc = static_cast<int>(toolkitArgv.size());
    toolkitArgv.push_back(nullptr);

    QApplication app(toolkitArgc, toolkitArgv.data());
    QApplication::setApplicationName(QStringLiteral("Kelmaz"));
    QApplication::setQuitOnLastWindowClosed(false);
    kelmaz::loadAppResources();
    kelmaz::installQtTranslations();
    kelmaz::applyDesktopIdentity();

    // A clone window gets its comma list as the arguments after the program name; a single
    // argument is taken exactly as given, since it may be a file's path with blanks in it.
    QStringList arguments;
    for (const std::string& operand : options.operands) {
        arguments.push_back(QString::fromLocal8Bit(operand));
    }
    const QString commandLine =
        arguments.size() == 1 ? arguments.front() : arguments.join(QLatin1Char(' '));

    // A test that starts the program as a second process answers its questions.
    const std::unique_ptr<kelmaz::ScriptedDialogs> answers =
        kelmaz::scriptedDialogsFromEnvironment();
    kelmaz::Program program;
    if (answers) program.setDialogs(*answers);
#ifdef KELMAZ_HAVE_WEB
    program.setBrowserFactory(kelmaz::makeProgramBrowser);
#endif
    QObject::connect(&program, &kelmaz::Program::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.StartupMain(commandLine);
    kelmaz::runTestEdits(program);
    // A test that starts the program as a second process asks for a report of what it shows.
    const QString dump = kelmaz::stateDumpPath();
    if (!dump.isEmpty()) {
        QTimer::singleShot(0, &program, [&program, &answers, dump] {
            const bool written =
                kelmaz::writeStateDump(dump, program.fomMain(), program.state(),
                                       answers ? answers->questions() : QStringList());
            QCoreApplication::exit(written ? 0 : 1);
        });
    }
    return app.exec();
}
