#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "records/GameInfoRules.h"
#include "records/ui/FomJ.h"

namespace kelmaz {
namespace {

TEST(GameInfoDialog, TypingUpdatesTheInformationAndItsLabels) {
    GameInfo info;
    FomJ dialog(info);
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
    FomJ dialog(info);
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

}  // namespace
}  // namespace kelmaz
