// Entry point of the window tests: one QApplication for the whole run, offscreen unless told
// otherwise, with the settings file and the recovery folder kept in temporary folders so that no
// test touches the home folder. The web engine's sandbox cannot start as root (as CI runs), so it
// is left off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
#ifdef KELMAZ_TEST_SCREEN
    // The offscreen platform gets the screen these tests are about.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KELMAZ_TEST_SCREEN);
#endif
    if (qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").isEmpty())
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    QTemporaryDir configDir;
    qputenv("KELMAZ_CONFIG_DIR", configDir.path().toLocal8Bit());
    QTemporaryDir stateDir;
    qputenv("XDG_STATE_HOME", stateDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
