// The figures on paper: the pages of the PDF, the single figure as a picture, and the window
// "棋譜の印刷" reached from the main window.
#include <QAction>
#include <QComboBox>
#include <QRegularExpression>

#include "diagram/ui/FigureBook.h"
#include "diagram/ui/FomPrint.h"
#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

// A game of `moves` moves on distinct points of 19 lines, colours alternating.
LineOfPlay longGame(int moves) {
    LineOfPlay line;
    for (int m = 0; m < moves; ++m) {
        LineMove move;
        move.col = m % 19 + 1;
        move.row = m / 19 + 1;
        move.colour = m % 2 ? kWhite : kBlack;
        line.moves.push_back(move);
    }
    line.info[InfoField::PB] = "黒番";
    return line;
}

int pdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

// The width of the first page in points, as the PDF's media box gives it.
int pdfPageWidth(const QByteArray& pdf) {
    static const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)"));
    const auto match = box.match(QString::fromLatin1(pdf));
    return match.hasMatch() ? qRound(match.captured(1).toDouble()) : 0;
}

TEST(FigureBook, PdfPagesFollowThePaperAndTheFiguresToAPage) {
    struct Case {
        QPageSize::PageSizeId paper;
        int perPage, movesPerFigure, moves, pages;
    };
    for (const Case& c :
         {Case{QPageSize::A4, 2, 100, 300, 2}, Case{QPageSize::JisB5, 1, 100, 300, 3},
          Case{QPageSize::A4, 2, 50, 301, 4}, Case{QPageSize::A4, 2, 100, 0, 1}}) {
        SCOPED_TRACE(c.moves);
        const LineOfPlay line = longGame(c.moves);
        const FigureBook book(line, buildFigures(line, {c.movesPerFigure, {}, false}),
                              {c.paper, c.perPage, false, true});
        const QByteArray pdf = figuresPdf(book);
        EXPECT_EQ(book.pageCount(), c.pages);
        EXPECT_EQ(pdfPages(pdf), c.pages);
        EXPECT_EQ(pdfPageWidth(pdf), QPageSize(c.paper).sizePoints().width());
    }
}

TEST(FigureBook, EachFigureIsAPictureAndAFigureOutsideTheBookIsNone) {
    const LineOfPlay line = longGame(150);
    const FigureBook book(line, buildFigures(line, {}), {});
    const QImage png = QImage::fromData(figurePng(book, 1), "PNG");
    ASSERT_FALSE(png.isNull());
    EXPECT_GT(png.height(), png.width());  // the notes stand under the square board
    EXPECT_TRUE(figureSvg(book, 1).contains("<svg"));
    EXPECT_TRUE(figurePng(book, 2).isEmpty());
    EXPECT_TRUE(figureSvg(book, 2).isEmpty());
}

class FomPrintTest : public test::ProgramFixture {};

TEST_F(FomPrintTest, CtrlPShowsThePagesAndThePdfIsSavedOrTheFailureTold) {
    start();
    program().readRecordFile(QString::fromStdString(
        test::dataFile("records/games_plain/gnugo__nando__meijin27_g1.sgf").string()));
    QAction* item = main().findChild<QAction*>("mPrint");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->shortcut(), QKeySequence(QKeySequence::Print));
    item->trigger();
    FomPrint* window = program().fomPrint();
    ASSERT_TRUE(window);
    window->setDialogs(dialogs_);
    EXPECT_EQ(window->windowTitle(), "棋譜の印刷");
    EXPECT_EQ(window->book().figures().size(), 3u);  // 276 moves
    EXPECT_EQ(window->previewPages(), 2);

    window->findChild<QComboBox*>("CmbMoves")->setCurrentIndex(1);  // 50 moves
    EXPECT_EQ(window->book().figures().size(), 6u);
    EXPECT_EQ(window->previewPages(), 3);

    EXPECT_TRUE(window->savePdf(QString::fromStdString(dir_.file("kifu.pdf").string())));
    EXPECT_EQ(pdfPages(QByteArray::fromStdString(test::readBytes(dir_.file("kifu.pdf")))), 3);
    EXPECT_FALSE(window->savePdf(QString::fromStdString(dir_.file("no/such/kifu.pdf").string())));
    EXPECT_EQ(dialogs_.notices.size(), 1);
}

}  // namespace
}  // namespace kelmaz
