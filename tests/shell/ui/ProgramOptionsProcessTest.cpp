// The built board program started as a user starts it from a terminal, with no display at all:
// --help and --version answer, a wrong option is refused in one line, and the toolkit's own
// options and a file name after "--" still reach their readers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/TestSupport.h"

namespace kelmaz {
namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

class ProgramOptionsProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        app_ = QStringLiteral(KELMAZ_APP);
        ASSERT_TRUE(QFileInfo(app_).isExecutable()) << app_.toStdString();
    }

    // Runs the program in the temporary folder with neither a display nor a platform named.
    Outcome run(const QStringList& args, const QString& report = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("KELMAZ_CONFIG_DIR"), folder());
        if (!report.isEmpty()) env.insert(QStringLiteral("KELMAZ_STATE_DUMP"), report);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(folder());
        child.start(app_, args);
        Outcome outcome;
        if (!child.waitForFinished(60000)) {
            child.kill();
            child.waitForFinished();
            return outcome;
        }
        outcome.exitCode =
            child.exitStatus() == QProcess::NormalExit ? child.exitCode() : outcome.exitCode;
        outcome.out = QString::fromUtf8(child.readAllStandardOutput());
        outcome.err = QString::fromUtf8(child.readAllStandardError());
        return outcome;
    }
    QString folder() const { return QString::fromStdString(dir_.path().string()); }

    QString app_;
    test::TempDir dir_;
};

TEST_F(ProgramOptionsProcess, HelpAndVersionAnswerOnStandardOutputWithoutADisplay) {
    const Outcome version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("kelmaz " KELMAZ_VERSION "\n"));
    EXPECT_EQ(version.err, QString());

    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const Outcome help = run({QStringLiteral("game.sgf"), option});
        EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("使い方: kelmaz ")))
            << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("--version")));
        EXPECT_TRUE(help.out.contains(QStringLiteral("KELMAZ_CONFIG_DIR")));
        EXPECT_EQ(help.err, QString());
    }
}

TEST_F(ProgramOptionsProcess, AWrongOptionIsOneLineOnStandardErrorAndExitStatusTwo) {
    const struct {
        QStringList args;
        QString named;
    } cases[] = {
        {{QStringLiteral("-x")}, QStringLiteral("-x")},
        {{QStringLiteral("game.sgf"), QStringLiteral("--versions")}, QStringLiteral("--versions")},
        {{QStringLiteral("-platform")}, QStringLiteral("-platform")},
    };
    for (const auto& c : cases) {
        const Outcome wrong = run(c.args);
        EXPECT_EQ(wrong.exitCode, 2) << c.named.toStdString();
        EXPECT_EQ(wrong.out, QString());
        EXPECT_EQ(wrong.err.count(QLatin1Char('\n')), 1) << wrong.err.toStdString();
        EXPECT_TRUE(wrong.err.startsWith(QStringLiteral("kelmaz: "))) << wrong.err.toStdString();
        EXPECT_TRUE(wrong.err.contains(c.named)) << wrong.err.toStdString();
    }
}

TEST_F(ProgramOptionsProcess, ToolkitOptionsAndAFileNamedAfterDoubleDashReachTheirReaders) {
    // Without a display the window comes up only because -platform reaches the toolkit; the
    // file's name starts with a dash and is read because "--" ends the options.
    test::writeBytes(dir_.file("-対局.sgf"), "(;GM[1]FF[4]CA[UTF-8]SZ[19];B[pd];W[dp])");
    const QString report = QDir(folder()).filePath(QStringLiteral("report.txt"));
    const Outcome started = run({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                 QStringLiteral("--"), QStringLiteral("-対局.sgf")},
                                report);
    EXPECT_EQ(started.exitCode, 0) << started.err.toStdString();
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("moveCount=2"))) << lines.join(u' ').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("moves=16,4,0;4,16,7")));
}

}  // namespace
}  // namespace kelmaz
