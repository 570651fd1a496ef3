#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "document/DocumentRecord.h"
#include "records/GameInfoRules.h"
#include "records/ui/FomJ.h"

namespace kelmaz {
namespace {

// The dialog's fields written straight into the information it shows.
FomJ::FieldEditor typedInto(GameInfo& info) {
    return [&info](int field, const std::string& text) { setInfoField(info, field, text); };
}

TEST(GameInfoDialog, TypingUpdatesTheInformationAndItsLabels) {
    GameInfo info;
    FomJ dialog(info, typedInto(info));
    dialog.show();
    QLineEdit* re = dialog.Text1(static_cast<int>(InfoField::RE));
    QTest::keyClicks(re, QStringLiteral(" b+r "));
    EXPECT_EQ(info[InfoField::RE], " b+r ");
    EXPECT_EQ(dialog.winnerLabel()->text(), QStringLiteral("黒"));
    EXPECT_EQ(dialog.detailLabel()->text(), QStringLiteral("中押し"));

    QTest::keyClicks(dialog.Text1(static_cast<int>(InfoField::TM)), QStringLiteral("5400"));
    EXPECT_EQ(dialog.hoursLabel()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.minutesLabel()->text(), QStringLiteral("30"));
    EXPECT_EQ(re->accessibleName(), QStringLiteral("結果"));
}

TEST(GameInfoDialog, ShowsWhatOthersWroteAndOnlyHidesWhenClosed) {
    GameInfo info;
    FomJ dialog(info, typedInto(info));
    setInfoField(info, InfoField::PB, "黒田");
    info.WinnerLabel = "白";
    dialog.show();
    EXPECT_EQ(dialog.Text1(static_cast<int>(InfoField::PB))->text(), QStringLiteral("黒田"));
    EXPECT_EQ(dialog.winnerLabel()->text(), QStringLiteral("白"));
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(info[InfoField::PB], "黒田");
    dialog.show();
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("対局情報"));
}

// The texts of the labels on the derived label's line, left to right.
QString lineOf(const FomJ& dialog, const QLabel* derived) {
    const int y = derived->mapTo(&dialog, QPoint(0, derived->height() / 2)).y();
    std::vector<std::pair<int, QString>> parts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        const QPoint at = label->mapTo(&dialog, QPoint(0, 0));
        if (label->isVisible() && at.y() <= y && y < at.y() + label->height() &&
            label->x() >= derived->x() - 200)
            parts.emplace_back(at.x(), label->text());
    }
    std::sort(parts.begin(), parts.end());
    QStringList texts;
    for (const auto& part : parts) texts << part.second;
    return texts.join(' ');
}

TEST(GameInfoDialog, TheResultReadsWinnerBesideItsCaptionAndTheMarginBeforeItsUnit) {
    GameInfo info;
    FomJ dialog(info, typedInto(info));
    dialog.show();
    QTest::keyClicks(dialog.Text1(static_cast<int>(InfoField::RE)), QStringLiteral("W+3.5"));
    QTest::keyClicks(dialog.Text1(static_cast<int>(InfoField::TM)), QStringLiteral("5400"));
    EXPECT_TRUE(lineOf(dialog, dialog.winnerLabel()).endsWith(QStringLiteral("勝者 白 3.5 目")))
        << lineOf(dialog, dialog.winnerLabel()).toStdString();
    EXPECT_TRUE(lineOf(dialog, dialog.hoursLabel()).endsWith(QStringLiteral("1 時間 30 分")))
        << lineOf(dialog, dialog.hoursLabel()).toStdString();
}

TEST(GameInfoDialog, TheBoxesTakeTheWidthOfTheWindow) {
    GameInfo info;
    FomJ dialog(info, typedInto(info));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* ev = dialog.Text1(static_cast<int>(InfoField::EV));
    const QString name = QStringLiteral("Famous Blood Vomiting Game 1835");
    QTest::keyClicks(ev, name);
    EXPECT_GE(ev->width(), ev->fontMetrics().horizontalAdvance(name) + 10)
        << "the whole name is in sight";
    // The result's box, with its spelt-out line beside it, is as wide as the others.
    EXPECT_EQ(dialog.Text1(static_cast<int>(InfoField::RE))->width(), ev->width());
    const int before = ev->width();
    dialog.resize(dialog.width() + 300, dialog.height());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ev->width() >= before + 100; })) << ev->width();
}

// A value put in through the accessibility interface (not typed key by key) is kept, and the
// result it names is spelt out at once.
TEST(GameInfoDialog, ValuesSetThroughAccessibilityAreKept) {
    GameInfo info;
    FomJ dialog(info, typedInto(info));
    dialog.show();
    QLineEdit* pb = dialog.Text1(static_cast<int>(InfoField::PB));
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(pb);
    ASSERT_NE(access, nullptr);
    access->setText(QAccessible::Value, QStringLiteral("本因坊丈和"));
    EXPECT_EQ(pb->text(), QStringLiteral("本因坊丈和"));
    EXPECT_EQ(info[InfoField::PB], "本因坊丈和");
    QAccessible::queryAccessibleInterface(dialog.Text1(static_cast<int>(InfoField::RE)))
        ->setText(QAccessible::Value, QStringLiteral("W+ 9.5"));
    EXPECT_EQ(info[InfoField::RE], "W+ 9.5");
    EXPECT_EQ(dialog.winnerLabel()->text(), QStringLiteral("白"));
    EXPECT_EQ(dialog.detailLabel()->text(), QStringLiteral("9.5"));
    // Showing what others wrote does not write it back as an edit.
    setInfoField(info, InfoField::PB, "赤星因徹");
    dialog.refresh();
    EXPECT_EQ(pb->text(), QStringLiteral("赤星因徹"));
    EXPECT_EQ(info[InfoField::PB], "赤星因徹");
}

// What is typed is the record's at once (one undo step for one field), and an undo shows in
// the dialog and the game information, so a save cannot write the undone text back.
TEST(GameInfoDialog, TypedFieldsAreOneEditOfTheRecordThatUndoTakesBack) {
    GameState state;
    RecordDocument document;
    DocumentRecord record(document, state);
    record.takeSgf("(;GM[1]PB[a];B[pd])");
    setInfoField(state.Info, InfoField::PB, "a");  // as the file's reader fills it
    FomJ dialog(state.Info, [&record](int field, const std::string& text) {
        record.setGameInfoField(field, text);
    });
    document.observe([&dialog] { dialog.refresh(); });
    dialog.show();
    QTest::keyClicks(dialog.Text1(static_cast<int>(InfoField::PB)), QStringLiteral("bc"));
    EXPECT_EQ(document.game(0).nodes[0].text("PB"), "abc");
    document.undo();
    EXPECT_EQ(document.game(0).nodes[0].text("PB"), "a");
    EXPECT_EQ(state.Info[InfoField::PB], "a");
    EXPECT_EQ(dialog.Text1(static_cast<int>(InfoField::PB))->text(), QStringLiteral("a"));
    EXPECT_FALSE(document.canUndo());
}

}  // namespace
}  // namespace kelmaz
