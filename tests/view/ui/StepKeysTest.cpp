// Stepping through a record from the keyboard and the mouse wheel: every key leaves the window
// as its button or menu item does from the same position; the text boxes keep their keys.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QWheelEvent>

#include "engine/Engine.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

// What the user sees of a position.
struct Shown {
    int moveCount = 0;
    Grid<std::int16_t> stones{};
    QString caption, moveNumber, commentary;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "move " << s.moveCount << ", box \"" << s.moveNumber.toStdString() << "\", caption \""
        << s.caption.toStdString() << "\"";
}

class StepKeys : public test::ProgramFixture {
  protected:
    void startActive() {
        start();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    // A record of n moves in rows 1, 3, 5...; no stone is ever captured.
    void play(int n) {
        for (int i = 0; i < n; ++i) clickPoint(1 + i % 19, 1 + 2 * (i / 19));
    }
    void goTo(int move) {
        program().engine().goToMove(std::to_string(move));
        ASSERT_EQ(state().MoveCount, move);
    }
    QLineEdit* moveNumberBox() { return main().findChild<QLineEdit*>("Text1"); }
    QPlainTextEdit* commentaryBox() { return main().findChild<QPlainTextEdit*>("TxtKaisetu"); }
    QToolButton* button(const char* name) { return main().findChild<QToolButton*>(name); }
    Shown shown() {
        return {state().MoveCount, state().BoardGrid, main().windowTitle(), moveNumberBox()->text(),
                commentaryBox()->toPlainText()};
    }
    // Runs the command of key the way its button or menu item runs it.
    void runCommand(Qt::Key key) {
        const std::pair<Qt::Key, const char*> items[] = {
            {Qt::Key_Left, "mitte"},    {Qt::Key_Right, "mtugi"}, {Qt::Key_PageUp, "mm10"},
            {Qt::Key_PageDown, "ms10"}, {Qt::Key_Home, "msyote"}, {Qt::Key_End, "Msaisyute"}};
        for (const auto& [k, name] : items)
            if (k == key) main().findChild<QAction*>(name)->trigger();
    }
    void turnWheel(int eighthsOfDegree) {
        const QPointF at = pointAt(10, 10);
        QWheelEvent wheel(at, board().mapToGlobal(at), {}, {0, eighthsOfDegree}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&board(), &wheel);
    }
};

constexpr Qt::Key kStepKeys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_PageUp,
                                 Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};

TEST_F(StepKeys, EachKeyLeavesTheWindowAsItsCommandDoes) {
    startActive();
    play(12);
    commentaryBox()->setPlainText(QStringLiteral("typed"));
    // From the first move, the middle, move 10 (ten back goes to 0), one before the last (ten
    // forward needs eleven moves left) and the last move; Home goes to the empty board.
    const struct {
        Qt::Key key;
        int from, to;
    } cases[] = {
        {Qt::Key_Left, 1, 0},     {Qt::Key_Left, 6, 5},       {Qt::Key_Left, 12, 11},
        {Qt::Key_Right, 1, 2},    {Qt::Key_Right, 12, 12},    {Qt::Key_PageUp, 1, 1},
        {Qt::Key_PageUp, 10, 0},  {Qt::Key_PageUp, 12, 2},    {Qt::Key_PageDown, 1, 11},
        {Qt::Key_PageDown, 2, 2}, {Qt::Key_PageDown, 12, 12}, {Qt::Key_Home, 6, 0},
        {Qt::Key_Home, 1, 0},     {Qt::Key_End, 1, 12},       {Qt::Key_End, 12, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString() + " from " +
                     std::to_string(c.from));
        goTo(c.from);
        runCommand(c.key);
        const Shown byCommand = shown();
        EXPECT_EQ(byCommand.moveCount, c.to);
        goTo(c.from);
        board().setFocus();
        QTest::keyClick(&board(), c.key);
        EXPECT_EQ(shown(), byCommand);
    }
}

TEST_F(StepKeys, OnAnEmptyRecordNoKeyChangesAnything) {
    startActive();
    const Shown before = shown();
    for (Qt::Key key : kStepKeys) QTest::keyClick(&board(), key);
    for (int notch : {120, -120}) turnWheel(notch);
    EXPECT_EQ(shown(), before);
    clickPoint(4, 4);  // the board still takes stones afterwards
    EXPECT_EQ(state().MoveCount, 1);
}

TEST_F(StepKeys, KeysWorkWhileAButtonHasTheFocus) {
    startActive();
    play(5);
    QToolButton* first = button("Command7");
    first->setFocus();
    ASSERT_TRUE(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Left);
    EXPECT_EQ(state().MoveCount, 4);
    QTest::keyClick(first, Qt::Key_Home);
    EXPECT_EQ(state().MoveCount, 0);
}

TEST_F(StepKeys, KeysWorkWithTheControlPanelHidden) {
    startActive();
    play(5);
    main().findChild<QAction*>("mhyouji")->trigger();
    ASSERT_FALSE(main().controlPanelShown());
    QTest::keyClick(&board(), Qt::Key_Left);
    EXPECT_EQ(state().MoveCount, 4);
    turnWheel(120);
    EXPECT_EQ(state().MoveCount, 3);
    QTest::keyClick(&board(), Qt::Key_End);
    EXPECT_EQ(state().MoveCount, 5);
}

TEST_F(StepKeys, TheMoveNumberBoxKeepsItsKeysAndEscGivesTheBoardTheFocus) {
    startActive();
    play(15);
    QLineEdit* box = moveNumberBox();
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_TRUE(box->hasFocus());
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_Left);
    EXPECT_EQ(box->cursorPosition(), 1);
    QTest::keyClick(box, Qt::Key_Home);
    EXPECT_EQ(box->cursorPosition(), 0);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_PageUp);
    QTest::keyClick(box, Qt::Key_PageDown);
    EXPECT_EQ(state().MoveCount, 15) << "no key typed into the box steps";

    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(board().hasFocus());
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_Return);  // the typed number still goes to its move
    EXPECT_EQ(state().MoveCount, 12);
    QTest::keyClick(&board(), Qt::Key_Left);
    EXPECT_EQ(state().MoveCount, 11);
}

// After a jump typed into the box and after a record was read, the keys step again; the keys
// of reading and writing open the file window from the board.
TEST_F(StepKeys, TheBoardTakesTheFocusBackAfterAJumpAndARead) {
    startActive();
    play(15);
    QLineEdit* box = moveNumberBox();
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(state().MoveCount, 11);

    box->setFocus();
    program().takeRecordLines({"(;SZ[19];B[pd];W[dp])"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    EXPECT_EQ(state().MoveCount, 0);

    const auto fileWindowShown = [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->windowTitle() == QStringLiteral("ﾌｧｲﾙ") && window->isVisible())
                return window;
        return static_cast<QWidget*>(nullptr);
    };
    for (const QKeySequence::StandardKey key : {QKeySequence::Open, QKeySequence::Save}) {
        if (QWidget* shown = fileWindowShown()) shown->hide();
        QApplication::setActiveWindow(&main());
        QTest::keySequence(&board(), key);
        EXPECT_NE(fileWindowShown(), nullptr) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(StepKeys, TheCommentaryBoxKeepsItsKeysAndWhatWasTyped) {
    startActive();
    play(3);
    QPlainTextEdit* box = commentaryBox();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("ab"));
    for (Qt::Key key : kStepKeys) QTest::keyClick(box, key);
    EXPECT_EQ(state().MoveCount, 3);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(board().hasFocus());
    EXPECT_EQ(box->toPlainText(), QStringLiteral("ab"));
    clickPoint(10, 10);  // the typed commentary goes with the next stone
    EXPECT_EQ(state().MoveComment[3], "ab");
}

TEST_F(StepKeys, TheBoardHasTheFocusAtStartAndWhenClicked) {
    startActive();
    EXPECT_TRUE(board().hasFocus());
    moveNumberBox()->setFocus();
    clickPoint(3, 3);
    EXPECT_TRUE(board().hasFocus());
}

TEST_F(StepKeys, TheWheelStepsOneMovePerNotch) {
    startActive();
    play(6);
    turnWheel(120);  // away from the user: back
    EXPECT_EQ(state().MoveCount, 5);
    turnWheel(-240);  // two notches towards the user: forward
    EXPECT_EQ(state().MoveCount, 6) << "the second notch stops at the last move";
    goTo(2);
    turnWheel(-240);
    EXPECT_EQ(state().MoveCount, 4);
    turnWheel(60);  // half a notch is no step until the other half comes
    EXPECT_EQ(state().MoveCount, 4);
    turnWheel(60);
    EXPECT_EQ(state().MoveCount, 3);
}

TEST_F(StepKeys, KeysAndWheelRestWithTheButtonsDuringAMatch) {
    startActive();
    play(12);
    goTo(11);
    main().setMatchButtonsEnabled(false);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(&board(), key);
    turnWheel(120);
    turnWheel(-120);
    EXPECT_EQ(state().MoveCount, 11);
    QTest::keyClick(&board(), Qt::Key_PageUp);  // its menu item stays open during a match
    EXPECT_EQ(state().MoveCount, 1);
    main().setMatchButtonsEnabled(true);
    QTest::keyClick(&board(), Qt::Key_End);
    EXPECT_EQ(state().MoveCount, 12);
}

TEST_F(StepKeys, TabRunsFromTheBoardThroughThePanelToTheCommentary) {
    startActive();
    const char* order[] = {"Text1",    "Command6", "Command7", "Command2", "Command5",
                           "Command8", "Command9", "Command3", "Command1", "TxtKaisetu"};
    ASSERT_TRUE(board().hasFocus());
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(name));
    }
}

}  // namespace
}  // namespace kelmaz
