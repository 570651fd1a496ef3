#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>

#include "shell/SettingsStore.h"
#include "shell/ui/FomSet.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

using StartAndEnd = test::ProgramFixture;

SettingsStore readIni(const std::filesystem::path& file) {
    SettingsStore store;
    EXPECT_TRUE(store.load(file));
    return store;
}

TEST_F(StartAndEnd, WithoutASettingsFileTheDefaultsApplyAndExitWritesTheGeometry) {
    start();
    EXPECT_EQ(state().BoardSize, 19);
    EXPECT_FALSE(program().options().showNumbers);
    EXPECT_TRUE(main().controlPanelShown());
    EXPECT_TRUE(main().commentaryShown());
    EXPECT_EQ(program().iniPath(), iniFile());

    QSignalSpy ended(&program(), &Program::ended);
    main().move(40, 30);
    main().close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(main().isVisible());
    const SettingsStore ini = readIni(iniFile());
    EXPECT_EQ(ini.read("Top", ""), std::to_string(main().pos().y() * 15));
    EXPECT_EQ(ini.read("Left", ""), std::to_string(main().pos().x() * 15));
    EXPECT_EQ(ini.read("Width", ""), "4005");
    EXPECT_EQ(ini.read("Height", ""), std::to_string(main().height() * 15));
    EXPECT_EQ(ini.read("Ban", ""), "0");
}

TEST_F(StartAndEnd, StoredOptionsAreApplied) {
    writeIni(
        "Ban,2\nBangou, 0\nOS,NT\nBaniro,1\nShiro,1\nSpeed,2.5\nPnada,1\ndispCont,0\n"
        "Kaisetu,非表示\nWidth,6000\n");
    start();
    EXPECT_EQ(state().BoardSize, 9);
    EXPECT_TRUE(program().options().showNumbers);
    EXPECT_FALSE(program().options().digitLabels);
    EXPECT_EQ(program().options().boardTintIndex, 1);
    EXPECT_EQ(program().options().whiteTintIndex, 1);
    EXPECT_EQ(program().fomSet().speedCaption(), QStringLiteral("2.5"));
    EXPECT_EQ(program().fomSet().speedValue(), 2500);
    EXPECT_TRUE(program().options().ugfLowerLeftOrigin);
    EXPECT_FALSE(main().controlPanelShown());
    EXPECT_FALSE(main().commentaryShown());
    EXPECT_EQ(main().width(), 400);
    EXPECT_EQ(main().height(), qRound(windowHeightFor(6000, false, false, 9) / 15.0));
}

TEST_F(StartAndEnd, DamagedSettingsFileStartsWithDefaultsAndKeepsWhatItCan) {
    std::string ini = "Ban,7\nWidth,abc\nBaniro,-2\nBangou,x\nSpeed,0\nno comma\n";
    ini += "Huge," + std::string(2 << 20, 'z') + "\n";
    ini += std::string("\x00\xFF\xFE,\x81\n", 6);
    ini += "FileDir,/home/user/kifu\nTop,12000\nLeft,-50\n";
    writeIni(ini);
    start();
    EXPECT_EQ(state().BoardSize, 19);
    EXPECT_EQ(main().width(), 267);
    EXPECT_EQ(program().options().boardTintIndex, 0);
    EXPECT_FALSE(program().options().showNumbers);
    EXPECT_EQ(program().fomSet().speedValue(), 1000);
    EXPECT_EQ(main().pos(), QPoint(0, 0)) << "a top of 12000 and a left of -50 become 0";

    program().Pend();
    const SettingsStore saved = readIni(iniFile());
    EXPECT_EQ(saved.read("FileDir", ""), "/home/user/kifu") << "other windows' keys survive";
    EXPECT_EQ(saved.read("Ban", ""), "0");
    EXPECT_EQ(saved.read("Huge", "gone"), "gone");
}

TEST_F(StartAndEnd, AWindowOffEveryScreenIsBroughtBack) {
    // Well beyond the lower right corner of the screen, whatever its size (15 twips a pixel).
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint off = (screen.bottomRight() + QPoint(500, 500)) * kTwipsPerPixel;
    writeIni("Top," + std::to_string(off.y()) + "\nLeft," + std::to_string(off.x()) + "\n");
    start();
    EXPECT_TRUE(screen.intersects(main().frameGeometry()));
    EXPECT_TRUE(screen.contains(main().pos() + QPoint(50, 50)));
}

TEST_F(StartAndEnd, AnUnwritableSettingsFileDoesNotStopTheEnd) {
    test::writeBytes(dir_.file("blocker"), "a file where a folder should be");
    qputenv("KELMAZ_CONFIG_DIR", QByteArray::fromStdString((dir_.path() / "blocker").string()));
    start();
    QSignalSpy ended(&program(), &Program::ended);
    main().findChild<QAction*>("mend")->trigger();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(main().isVisible());
}

// One damaged byte spoils only its own line: every other value comes through a start and an
// exit byte for byte, and the commentary box stays hidden as stored.
TEST_F(StartAndEnd, OneBadByteInTheSettingsFileKeepsEveryOtherValue) {
    writeIni("UserName,山田太郎\nBroken,x\xFFy\nKaisetu,非表示\n");
    start();
    EXPECT_FALSE(main().commentaryShown());
    program().Pend();
    const std::string saved = test::readBytes(iniFile());
    EXPECT_NE(saved.find("UserName,山田太郎\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Kaisetu,非表示\n"), std::string::npos) << saved;
}

}  // namespace
}  // namespace kelmaz
