// The main window on a 1920 x 1080 screen, at every window state: the board, the panel below
// it and the commentary box lie within the window, and the window's frame within the screen.
#include <QPlainTextEdit>
#include <QScreen>

#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

class FullHdScreen : public test::ProgramFixture {
  protected:
    // Everything the window shows fits it, and the window fits the screen.
    void expectAllShown(const char* state) {
        SCOPED_TRACE(state);
        const QRect screen = main().screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(main().frameGeometry()))
            << main().frameGeometry().height() << " px tall on " << screen.height();
        const QWidget* panel = main().findChild<QWidget*>("Frame1");
        const QWidget* commentary = main().findChild<QPlainTextEdit*>("TxtKaisetu");
        const int lastLine = qRound((kBoardMargin + 19 * board().pitch()) / 15.0);
        EXPECT_LT(lastLine, panel->y()) << "row 19 lies above the panel";
        EXPECT_LE(panel->geometry().bottom(), board().height() - 1);
        EXPECT_LE(panel->geometry().right(), board().width() - 1);
        EXPECT_LE(commentary->geometry().bottom(), panel->height() - 1);
    }
};

TEST_F(FullHdScreen, TheBoardFitsTheHeightAsWellAsTheWidthAtEveryWindowState) {
    start();
    ASSERT_EQ(main().screen()->geometry().size(), QSize(1920, 1080));

    main().showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().width() > 1800; }, 5000));
    expectAllShown("maximised");

    // Tiled on the right half: the window system sets both width and height.
    main().showNormal();
    main().setGeometry(962, 2, 956, 1076);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().width() == 956; }, 5000));
    EXPECT_EQ(main().height(), 1076);
    expectAllShown("tiled");

    // Restored and dragged wide: the height follows the width as far as the screen allows.
    main().resize(1800, main().height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return main().width() == 1800; }, 5000));
    expectAllShown("restored");
}

}  // namespace
}  // namespace kelmaz
