// The unsaved record through the real windows: each route that would throw the record away
// asks only while it is modified; キャンセル keeps everything, はい saves; each edit made in a
// window is one step of undo and redo; the recovery file follows the record, and a leftover
// one is offered when the user starts the program again.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "document/DocumentFile.h"
#include "gtp/ui/FomGtp.h"
#include "net/ui/FomSock.h"
#include "records/ui/FomFile.h"
#include "records/ui/FomJ.h"
#include "shell/CloneArgs.h"
#include "shell/RecoveryFiles.h"
#include "shell/ui/FomSet.h"
#include "support/FireTimer.h"
#include "support/ProgramFixture.h"
#include "support/TopLevel.h"
#include "tree/ui/FomNode.h"

namespace kelmaz {
namespace {

const QString kQuestion = QStringLiteral("変更を保存しますか？");
const QString kRestoreQuestion =
    QStringLiteral("前回保存されなかった棋譜があります。復元しますか？");
constexpr std::string_view kGame = "(;GM[1]FF[4]SZ[9];B[cc];W[gg])";

class UnsavedRecord : public test::ProgramFixture {
  public:
    // The routes of the table below reach the running program through these.
    using ProgramFixture::dir_;
    using ProgramFixture::main;
    using ProgramFixture::program;
    using ProgramFixture::stoneAt;

    // A game read from a file, so that はい has a file to save to.
    void startWithGame() {
        start();
        // A stone on a record read from SGF first asks whether its tree may go: yes.
        program().treeWindow().setDialogs(treeDialogs_);
        test::writeBytes(gameFile(), std::string(kGame));
        program().readRecordFile(QString::fromStdString(gameFile().string()));
        ASSERT_EQ(state().MoveCount, 2);
    }
    std::filesystem::path gameFile() const { return dir_.file("game.sgf"); }
    // A stone clicked on a free point of the board.
    void modify() { clickPoint(5, 5 + edits_++); }
    int edits_ = 0;
    test::FakeDialogs treeDialogs_;
    QAction& action(const char* name) { return *main().findChild<QAction*>(name); }
    QRadioButton& option(const char* name) {
        return *program().fomSet().findChild<QRadioButton*>(name);
    }
};

struct Route {
    const char* name;
    std::function<void(UnsavedRecord&)> take;
    // Whether what the route does happened (the board cleared, another record read, the end).
    std::function<bool(UnsavedRecord&)> done;
};

void PrintTo(const Route& route, std::ostream* out) { *out << route.name; }

struct RouteCases : UnsavedRecord, ::testing::WithParamInterface<Route> {};

bool ended(UnsavedRecord& t) { return !t.main().isVisible(); }
bool cleared(UnsavedRecord& t) { return t.stoneAt(3, 3) == 0; }

const Route kRoutes[] = {
    {"ClearButton", [](UnsavedRecord& t) { t.main().findChild<QToolButton*>("Command1")->click(); },
     cleared},
    {"ClearMenu", [](UnsavedRecord& t) { t.action("mcls").trigger(); }, cleared},
    {"EndMenu", [](UnsavedRecord& t) { t.action("mend").trigger(); }, ended},
    {"CloseWindow", [](UnsavedRecord& t) { t.main().close(); }, ended},
    {"BoardSizeInSettings", [](UnsavedRecord& t) { t.option("Option1_1").click(); },
     [](UnsavedRecord& t) {
         return t.program().options().boardSize() == 13 || t.option("Option1_1").isChecked();
     }},
    {"HandicapInSettings", [](UnsavedRecord& t) { t.option("Option6_1").click(); }, cleared},
    {"ReadAnotherFile",
     [](UnsavedRecord& t) {
         test::writeBytes(t.dir_.file("other.sgf"), "(;GM[1]SZ[9];B[ee])");
         t.program().readRecordFile(QString::fromStdString(t.dir_.file("other.sgf").string()));
     },
     cleared},
};

// Each route is taken three times: with the record as read (no question), then modified and
// answered キャンセル (nothing changes), then はい (saved, and the route goes on).
TEST_P(RouteCases, AsksOnlyWithAModifiedRecordCancelKeepsEverythingAndYesSaves) {
    startWithGame();
    GetParam().take(*this);
    EXPECT_TRUE(dialogs_.questions.isEmpty()) << "an unmodified record goes without a question";
    EXPECT_TRUE(GetParam().done(*this));

    startWithGame();
    modify();
    const std::string before = documentFileBytes(program().document());
    dialogs_.threeWayAnswer = Answer::Cancel;
    GetParam().take(*this);
    EXPECT_EQ(dialogs_.questions, QStringList{kQuestion});
    EXPECT_FALSE(GetParam().done(*this));
    EXPECT_TRUE(main().isVisible());
    EXPECT_TRUE(program().document().modified());
    EXPECT_EQ(documentFileBytes(program().document()), before);
    EXPECT_EQ(test::readBytes(gameFile()), kGame);

    dialogs_.threeWayAnswer = Answer::Yes;
    GetParam().take(*this);
    EXPECT_EQ(dialogs_.questions, (QStringList{kQuestion, kQuestion}));
    EXPECT_TRUE(GetParam().done(*this));
    EXPECT_NE(test::readBytes(gameFile()).find("B[ee]"), std::string::npos) << "the clicked stone";
}

INSTANTIATE_TEST_SUITE_P(Routes, RouteCases, ::testing::ValuesIn(kRoutes),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(UnsavedRecord, ANewComputerGameAndTheMatchsClearAndConnectAskFirst) {
    start();
    modify();
    dialogs_.threeWayAnswer = Answer::Cancel;
    program().showGtpWindow();
    program().fomGtp()->CmdStart_Click();
    EXPECT_FALSE(program().fomGtp()->playing());
    program().showNetWindow();
    program().fomSock()->findChild<QPushButton*>("Command5")->click();
    EXPECT_EQ(program().fomSock()->findChild<QListWidget*>("List2")->count(), 0)
        << "no clear request was sent";
    program().fomSock()->findChild<QPushButton*>("Cmdconnect")->click();
    EXPECT_EQ(dialogs_.questions, (QStringList{kQuestion, kQuestion, kQuestion}));
    EXPECT_EQ(stoneAt(5, 5), kBlack + 1) << "the board was not cleared";
    EXPECT_TRUE(program().document().modified());
}

// Edits made through the windows: the menu items take each back as one step and do it again,
// and the window shows the record as it then stands.
TEST_F(UnsavedRecord, EachWindowsEditIsOneStepOfUndoAndRedoThroughTheMenu) {
    const auto check = [&](const char* name, const std::function<void()>& edit,
                           const std::function<std::string()>& shown) {
        SCOPED_TRACE(name);
        start();
        const std::string shownSaved = shown();
        EXPECT_FALSE(action("mUndo").isEnabled());
        edit();
        const std::string shownEdited = shown();
        ASSERT_NE(shownEdited, shownSaved);
        main().setMatchButtonsEnabled(false);
        EXPECT_FALSE(action("mUndo").isEnabled()) << "taking back is 待った's during a match";
        main().setMatchButtonsEnabled(true);

        action("mUndo").trigger();
        EXPECT_FALSE(program().document().modified()) << "one undo takes the whole edit back";
        EXPECT_EQ(shown(), shownSaved);
        EXPECT_FALSE(action("mUndo").isEnabled());
        action("mRedo").trigger();
        EXPECT_EQ(shown(), shownEdited);
        EXPECT_FALSE(action("mRedo").isEnabled());
    };
    check(
        "stone", [&] { clickPoint(4, 4); }, [&] { return std::to_string(stoneAt(4, 4)); });
    const auto commentBox = [&] { return main().findChild<QPlainTextEdit*>("TxtKaisetu"); };
    check(
        "typed comment", [&] { QTest::keyClicks(commentBox(), "vital"); },
        [&] { return main().commentaryText(); });
    // The black player's field of the game-information dialog, shown first.
    const auto blackPlayer = [&] {
        program().showGameInfoWindow();
        return test::topLevel<FomJ>()->Text1(static_cast<int>(InfoField::PB));
    };
    check(
        "game information", [&] { QTest::keyClicks(blackPlayer(), "Honinbo"); },
        [&] { return blackPlayer()->text().toStdString(); });
}

// The recovery file holds the modified record as it stands at the tick. It goes when undo gets
// back to the saved record and when the user lets the record go, and stays while はい waits for
// the name of a file to save to.
TEST_F(UnsavedRecord, TheRecoveryFileLastsWhileTheRecordIsUnsaved) {
    start();
    RecordRecovery& recovery = program().recovery();
    EXPECT_FALSE(recovery.timer().isActive()) << "an unmodified record has no file to write";
    modify();
    ASSERT_TRUE(test::fire(recovery.timer()));
    EXPECT_EQ(test::readBytes(recovery.file()), documentFileBytes(program().document()));
    action("mUndo").trigger();
    ASSERT_TRUE(test::fire(recovery.timer()));
    EXPECT_FALSE(std::filesystem::exists(recovery.file())) << "back at the saved record";
    action("mRedo").trigger();
    ASSERT_TRUE(test::fire(recovery.timer()));
    EXPECT_EQ(test::readBytes(recovery.file()), documentFileBytes(program().document()));

    dialogs_.threeWayAnswer = Answer::Yes;
    action("mend").trigger();
    EXPECT_TRUE(program().fileWindow().isVisible()) << "a record without a file asks for one";
    EXPECT_TRUE(main().isVisible());
    EXPECT_TRUE(std::filesystem::exists(recovery.file()));
    dialogs_.threeWayAnswer = Answer::No;
    action("mend").trigger();
    EXPECT_FALSE(std::filesystem::exists(recovery.file()));
}

TEST_F(UnsavedRecord, ALeftoverIsOfferedByTheFirstWindowAndRestoredModifiedOrMovedAside) {
    const std::filesystem::path folder = recoveryFolder();
    const struct {
        const char* window;
        bool accept;
        bool clone;
    } starts[] = {
        {"declined", false, false},
        {"accepted", true, false},
        {"a clone offers nothing: its record is the one it was handed", true, true},
    };
    long pid = 0x7ffffff0;  // beyond every process number: the file's owner is gone
    for (const auto& s : starts) {
        SCOPED_TRACE(s.window);
        const std::filesystem::path left = recoveryFileOf(folder, ++pid);
        ASSERT_TRUE(writeRecoveryFile(left, "(;GM[1]SZ[9]C[restored];B[cc];W[gg])"));
        dialogs_.answer = s.accept;
        dialogs_.questions.clear();
        Program started;
        started.setDialogs(dialogs_);
        started.StartupMain(s.clone ? QString::fromStdString(BuildCloneArgs(GameState{}, 1, 0, {}))
                                    : QString());
        const bool restored = s.accept && !s.clone;
        EXPECT_EQ(dialogs_.questions, s.clone ? QStringList{} : QStringList{kRestoreQuestion});
        EXPECT_EQ(started.document().modified(), restored);
        EXPECT_EQ(started.state().MoveCount, restored ? 2 : 0);
        EXPECT_EQ(std::filesystem::exists(left), s.clone);
        EXPECT_EQ(std::filesystem::exists(folder / "recovered" / left.filename()), !s.accept);
        EXPECT_EQ(std::filesystem::exists(started.recovery().file()), restored);
        started.recovery().discard();
        std::filesystem::remove(left);
    }
}

}  // namespace
}  // namespace kelmaz
