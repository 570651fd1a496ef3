// Second boards: the list a window hands to its clone, read back by a second program object;
// what is started and how the button rests; and a real second process of the built program.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/CloneWindows.h"
#include "support/FireTimer.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

struct Started {
    QString program;
    QStringList arguments;
};

class CloneWindowTest : public test::ProgramFixture {
  protected:
    // Starts the program and records what its clone commands would start.
    Program& startRecording(bool starts = true) {
        Program& p = start();
        p.clones().setStarter([this, starts](const QString& program, const QStringList& args) {
            started_.push_back({program, args});
            return starts;
        });
        return p;
    }
    // A second program object started with the list as its command line.
    std::unique_ptr<Program> startClone(const QString& list) {
        auto clone = std::make_unique<Program>();
        clone->StartupMain(list);
        return clone;
    }
    QToolButton& newWindowButton() {
        return *main().findChild<QToolButton*>(QStringLiteral("Command3"));
    }
    QAction& menuCommand(const char* name) {
        return *main().findChild<QAction*>(QString::fromLatin1(name));
    }
    void play(std::initializer_list<std::pair<int, int>> points) {
        for (const auto& [col, row] : points) clickPoint(col, row);
    }

    std::vector<Started> started_;
};

TEST_F(CloneWindowTest, AtMoveZeroTheListHasTheHeaderTheEndAndTheSizeAndTheCloneIsEmpty) {
    startRecording();
    newWindowButton().click();
    ASSERT_EQ(started_.size(), 1u);
    ASSERT_EQ(started_[0].arguments.size(), 1) << "the list travels as one argument";
    const QString list = started_[0].arguments[0];
    // The seven header fields, the triple that ends the (empty) moves, the board size.
    EXPECT_EQ(list.split(QLatin1Char(',')).size(), 11) << list.toStdString();

    const auto clone = startClone(list);
    EXPECT_EQ(clone->state().MoveCount, 0);
    EXPECT_FALSE(clone->state().hasMove(1));
    EXPECT_EQ(clone->state().InstanceNo, "0-1");
}

TEST_F(CloneWindowTest, ButtonPressesNumberTheClonesAndTheMenuKeepsTheCounter) {
    startRecording();
    play({{4, 4}, {16, 16}});
    newWindowButton().click();
    // The button rests for its re-enable time only; the counter goes on from there.
    EXPECT_FALSE(newWindowButton().isEnabled());
    ASSERT_TRUE(test::fire(main().newWindowTimer()));
    ASSERT_TRUE(newWindowButton().isEnabled());
    newWindowButton().click();
    ASSERT_TRUE(test::fire(main().newWindowTimer()));
    menuCommand("Mmnew").trigger();
    ASSERT_EQ(started_.size(), 3u);

    const char* expected[] = {"0-1", "0-2", "0-2"};
    for (std::size_t i = 0; i < started_.size(); ++i) {
        const auto clone = startClone(started_[i].arguments[0]);
        EXPECT_EQ(clone->state().InstanceNo, expected[i]);
        EXPECT_TRUE(clone->fomMain().windowTitle().startsWith(QStringLiteral("Kelmaz 碁盤No") +
                                                              QString::fromLatin1(expected[i])));
        // A clone of a clone numbers itself after its own number, with the counter it took
        // over from the window that launched it.
        if (i == 0) {
            clone->clones().setStarter([this](const QString& program, const QStringList& args) {
                started_.push_back({program, args});
                return true;
            });
            clone->openCloneWindow(false);
            EXPECT_EQ(startClone(started_.back().arguments[0])->state().InstanceNo, "0-1-1");
            clone->openCloneWindow(true);
            EXPECT_EQ(startClone(started_.back().arguments[0])->state().InstanceNo, "0-1-2");
            started_.resize(3);
        }
    }
}

TEST_F(CloneWindowTest, TheCloneGetsThePositionUpToTheCurrentMoveOnlyAndStandsToTheRight) {
    startRecording();
    play({{4, 4}, {16, 16}, {16, 4}, {4, 16}});
    menuCommand("mitte").trigger();  // one back: move 4 stays in the record, not in the clone
    ASSERT_EQ(state().MoveCount, 3);
    main().move(30, 40);
    newWindowButton().click();
    ASSERT_EQ(started_.size(), 1u);

    const auto clone = startClone(started_[0].arguments[0]);
    const GameState& s = clone->state();
    EXPECT_EQ(s.MoveCount, 3);
    EXPECT_FALSE(s.hasMove(4));
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(s.MoveCol[k], state().MoveCol[k]) << k;
        EXPECT_EQ(s.MoveRow[k], state().MoveRow[k]) << k;
        EXPECT_EQ(s.MoveColour[k], state().MoveColour[k]) << k;
    }
    EXPECT_EQ(s.BoardGrid[4][4], kBlack + 1);
    EXPECT_EQ(s.BoardGrid[16][16], kWhite + 1);
    EXPECT_EQ(s.BoardGrid[4][16], 0);

    const FomMain& w = clone->fomMain();
    EXPECT_EQ(w.pos().y(), main().pos().y());
    EXPECT_NEAR(w.pos().x(), main().pos().x() + main().width() + 50 / 15.0, 1.0);
    EXPECT_EQ(w.width(), main().width());
}

// A record shown on its own size: the clone shows the position on a board of that size, its
// captures included, and keeps its stored size setting as it was.
TEST_F(CloneWindowTest, TheCloneShowsTheRecordOnABoardOfItsSize) {
    startRecording();
    program().takeRecordLines({"(;SZ[7];B[ga];W[fa];B[gb];W[fb];B[ab];W[gc])"});
    ASSERT_EQ(state().BoardSize, 7);
    ASSERT_EQ(state().BoardGrid[7][1], 0) << "the corner stones are taken on a 7-line board";
    newWindowButton().click();
    ASSERT_EQ(started_.size(), 1u);
    const auto clone = startClone(started_[0].arguments[0]);
    const GameState& s = clone->state();
    EXPECT_EQ(s.BoardSize, 7);
    EXPECT_EQ(s.MoveCount, 6);
    for (int c = 1; c <= 7; ++c) {
        for (int r = 1; r <= 7; ++r) EXPECT_EQ(s.BoardGrid[c][r], state().BoardGrid[c][r]);
    }
    EXPECT_EQ(clone->settings().read("Ban", "0"), "0");
}

TEST_F(CloneWindowTest, TheRunningProgramsOwnExecutableIsStartedAndAFailureIsShown) {
    startRecording(false);
    newWindowButton().click();
    ASSERT_EQ(started_.size(), 1u);
    EXPECT_EQ(started_[0].program, QCoreApplication::applicationFilePath());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return main().findChild<QMessageBox*>(QStringLiteral("CloneStartFailed")) != nullptr;
        },
        3000));
    auto* box = main().findChild<QMessageBox*>(QStringLiteral("CloneStartFailed"));
    EXPECT_TRUE(box->text().contains(QStringLiteral("新しいウィンドウ")));
    box->close();
    ASSERT_TRUE(test::fire(main().newWindowTimer()));
    EXPECT_TRUE(newWindowButton().isEnabled());
}

// The built program, started as the clone's process, comes up where and as the list says.
class CloneProcessTest : public CloneWindowTest {
  protected:
    void SetUp() override {
        CloneWindowTest::SetUp();
        app_ = QStringLiteral(KELMAZ_APP);
        ASSERT_TRUE(QFileInfo(app_).isExecutable()) << app_.toStdString();
    }

    // Runs the built program with the list the window handed out, to its report.
    QMap<QString, QString> runClone(const QString& list, const QString& scale) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("KELMAZ_CONFIG_DIR"),
                   QString::fromStdString(dir_.path().string()));
        env.insert(QStringLiteral("KELMAZ_STATE_DUMP"), report_);
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        QFile::remove(report_);
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(app_, {list});
        EXPECT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        QMap<QString, QString> values;
        QFile file(report_);
        if (!file.open(QIODevice::ReadOnly)) return values;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq > 0) values.insert(line.left(eq), line.mid(eq + 1));
        }
        return values;
    }

    QString app_;
    QString report_ = QString::fromStdString(dir_.file("report.txt").string());
};

TEST_F(CloneProcessTest, AStartedSecondProcessComesUpWithTheLaunchingWindowsPosition) {
    startRecording();
    play({{4, 4}, {16, 16}, {16, 4}});
    main().move(20, 30);
    newWindowButton().click();
    ASSERT_EQ(started_.size(), 1u);
    ASSERT_EQ(started_[0].arguments.size(), 1);

    const auto report = runClone(started_[0].arguments[0], QStringLiteral("1"));
    EXPECT_EQ(report.value(QStringLiteral("instance")), QStringLiteral("0-1"));
    EXPECT_TRUE(
        report.value(QStringLiteral("caption")).startsWith(QStringLiteral("Kelmaz 碁盤No0-1")));
    EXPECT_EQ(report.value(QStringLiteral("moveCount")), QStringLiteral("3"));
    EXPECT_EQ(report.value(QStringLiteral("moves")), QStringLiteral("4,4,0;16,16,7;16,4,0"));
    EXPECT_EQ(report.value(QStringLiteral("top")).toInt(), main().pos().y() * 15);
    EXPECT_NEAR(report.value(QStringLiteral("left")).toInt(),
                (main().pos().x() + main().width()) * 15 + 50, 15);
    EXPECT_EQ(report.value(QStringLiteral("width")).toInt(), main().width() * 15);
}

TEST_F(CloneProcessTest, OnAHighDensityScreenTheWindowKeepsItsTwipsAndDrawsWithMorePixels) {
    startRecording();
    play({{4, 4}});
    newWindowButton().click();
    const QString list = started_.at(0).arguments.at(0);

    const auto normal = runClone(list, QStringLiteral("1"));
    const QImage normalPicture(report_ + QStringLiteral(".png"));
    const auto dense = runClone(list, QStringLiteral("2"));
    const QImage densePicture(report_ + QStringLiteral(".png"));

    EXPECT_EQ(dense.value(QStringLiteral("pixelRatio")), QStringLiteral("2"));
    EXPECT_EQ(dense.value(QStringLiteral("width")), normal.value(QStringLiteral("width")));
    EXPECT_EQ(dense.value(QStringLiteral("height")), normal.value(QStringLiteral("height")));
    ASSERT_FALSE(normalPicture.isNull());
    ASSERT_FALSE(densePicture.isNull());
    EXPECT_EQ(densePicture.width(), 2 * normalPicture.width());
    EXPECT_EQ(densePicture.height(), 2 * normalPicture.height());
}

}  // namespace
}  // namespace kelmaz
