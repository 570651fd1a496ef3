// The built program killed while its record is unsaved: started again with the same folders,
// it offers the record it kept, and accepting it shows every move and the comment.
#include <gtest/gtest.h>

#include <QProcess>
#include <csignal>
#include <filesystem>

#include "support/TestSupport.h"
#include "support/WaitFor.h"

namespace kelmaz {
namespace {

QProcessEnvironment programEnvironment(const test::TempDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KELMAZ_CONFIG_DIR"), QString::fromStdString(dir.path().string()));
    env.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromStdString(dir.file("state")));
    return env;
}

TEST(UnsavedRecordProcess, AKilledProgramsRecordIsOfferedAndRestoredWhole) {
    test::TempDir dir;
    QProcess edited;
    QProcessEnvironment env = programEnvironment(dir);
    env.insert(QStringLiteral("KELMAZ_TEST_EDITS"), QStringLiteral("4,4;16,16;C:要所 vital"));
    edited.setProcessEnvironment(env);
    edited.start(QStringLiteral(KELMAZ_APP), {});
    ASSERT_TRUE(edited.waitForStarted());
    const std::filesystem::path kept =
        dir.path() / "state" / "kelmaz" / ("board-" + std::to_string(edited.processId()) + ".sgf");
    const bool written = test::waitFor(
        [&] { return test::readBytes(kept).find("vital") != std::string::npos; }, 30000);
    // Killed, and not yet waited for by its parent: the process is gone, its number is not.
    ::kill(static_cast<pid_t>(edited.processId()), SIGKILL);
    ASSERT_TRUE(written) << "no recovery file with the comment: " << test::readBytes(kept);

    QProcess restarted;
    env = programEnvironment(dir);
    const QString report = QString::fromStdString(dir.file("report.txt"));
    env.insert(QStringLiteral("KELMAZ_STATE_DUMP"), report);
    env.insert(QStringLiteral("KELMAZ_TEST_ANSWER"), QStringLiteral("yes"));
    restarted.setProcessEnvironment(env);
    restarted.start(QStringLiteral(KELMAZ_APP), {});
    if (!restarted.waitForFinished(60000)) restarted.kill();
    ASSERT_EQ(restarted.exitCode(), 0) << restarted.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromStdString(test::readBytes(dir.file("report.txt"))).split(u'\n');
    EXPECT_TRUE(lines.contains(
        QStringLiteral("question=前回保存されなかった棋譜があります。復元しますか？")))
        << lines.join(u' ').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("moves=4,4,0;16,16,7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("comment=要所 vital")));
}

}  // namespace
}  // namespace kelmaz
