// The settings window's choices as the next start of the program finds them, and the replay
// speed as the board's replay uses it.
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "engine/BoardOptions.h"
#include "shell/StartupSettings.h"
#include "shell/ui/FomSet.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

using SettingsRestart = test::ProgramFixture;

void click(FomSet& set, const char* name) {
    auto* button = set.findChild<QRadioButton*>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

TEST_F(SettingsRestart, EveryChoiceIsInTheNextStart) {
    start();
    FomSet& set = program().fomSet();
    for (const char* name : {"Option1_2", "Option4_2", "Option7_1", "OptNT", "Option2_1",
                             "Option5_0", "Option8", "OptionOpen_1"})
        click(set, name);
    set.findChild<QScrollBar*>("HScroll1")->setValue(2500);
    const BoardOptions chosen = program().options();
    program().Pend();

    start();
    const BoardOptions& now = program().options();
    EXPECT_EQ(now.sizeIndex, 2);
    EXPECT_EQ(now.boardTintIndex, 2);
    EXPECT_EQ(now.whiteTintIndex, 1);
    EXPECT_FALSE(now.digitLabels);
    EXPECT_FALSE(now.showCommentary);
    EXPECT_TRUE(now.showNumbers);
    EXPECT_TRUE(now.ugfLowerLeftOrigin);
    EXPECT_TRUE(now.openRecordsAtStart);
    EXPECT_EQ(now.speedMs, 2500);
    EXPECT_EQ(storedOptions(now), storedOptions(chosen));
    EXPECT_EQ(program().fomSet().speedCaption(), QStringLiteral("2.5"));
    EXPECT_FALSE(main().commentaryShown());
}

TEST_F(SettingsRestart, TheDefaultsAreStoredAsTheyAreRead) {
    start();
    program().fomSet().show();
    program().fomSet().findChild<QPushButton*>("Command1")->click();
    program().Pend();
    SettingsStore saved;
    ASSERT_TRUE(saved.load(iniFile()));
    EXPECT_EQ(readStoredOptions(saved), StoredOptions{});
    EXPECT_EQ(saved.read("Speed", ""), "1");
    EXPECT_EQ(saved.read("Kaisetu", ""), "表示");
    EXPECT_EQ(saved.read("OS", ""), "98");
}

// The replay steps at the seconds the window shows, from a stored value and from the bar.
TEST_F(SettingsRestart, TheReplayUsesTheSpeedTheWindowShows) {
    writeIni("Speed,2.5\n");
    start();
    EXPECT_DOUBLE_EQ(main().replaySpeedSeconds(), 2.5);
    auto* bar = program().fomSet().findChild<QScrollBar*>("HScroll1");
    bar->setValue(1234);
    EXPECT_EQ(program().fomSet().speedCaption(), QStringLiteral("1.23"));
    EXPECT_DOUBLE_EQ(main().replaySpeedSeconds(), 1.23);
    bar->setValue(bar->minimum());
    EXPECT_DOUBLE_EQ(main().replaySpeedSeconds(), 0.1);
}

}  // namespace
}  // namespace kelmaz
