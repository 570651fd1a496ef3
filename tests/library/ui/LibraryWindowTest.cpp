// The library window's route through the program: a folder added off the window's thread, the
// main board's position searched, and the game found opened at its move through the intake.
#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include "engine/Engine.h"
#include "library/ui/FomLibrary.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

class LibraryWindow : public test::ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        previousData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir_.file("data").string()));
    }
    void TearDown() override {
        ProgramFixture::TearDown();
        qputenv("XDG_DATA_HOME", previousData_);
    }
    QByteArray previousData_;
};

TEST_F(LibraryWindow, FoundPositionOpensItsGameAtTheMatchedMove) {
    start();
    const auto folder = test::recordsDir() / "games_plain";
    const QString game =
        QString::fromStdString((folder / "gnugo__nando__meijin27_g1.sgf").string());
    program().readRecordFile(game);
    program().engine().goToMove("20");
    const auto position = state().BoardGrid;

    main().findChild<QAction*>(QStringLiteral("mLibrary"))->trigger();
    FomLibrary* window = program().fomLibrary();
    ASSERT_NE(window, nullptr);
    QSignalSpy added(window, &FomLibrary::addingFinished);
    window->addFolder(QString::fromStdString(folder.string()));
    ASSERT_TRUE(added.wait(20000));

    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("局面検索")) button->click();
    auto* results = window->findChild<QTableWidget*>(QStringLiteral("results"));
    int row = -1;
    for (int r = 0; r < results->rowCount(); ++r)
        if (results->item(r, 0)->text() == game) row = r;
    ASSERT_GE(row, 0);
    EXPECT_EQ(results->item(row, 2)->text(), QStringLiteral("20"));

    program().engine().firstMove();
    emit results->cellDoubleClicked(row, 0);
    EXPECT_EQ(state().MoveCount, 20);
    EXPECT_EQ(state().BoardGrid, position);
}

}  // namespace
}  // namespace kelmaz
