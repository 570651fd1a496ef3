// The board saved as a picture: PNG and SVG, painted like the window, with or without numbers.
#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "support/ProgramFixture.h"
#include "view/ui/BoardImage.h"

namespace kelmaz {
namespace {

class BoardImageTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        start();
        clickPoint(4, 4);    // black 1
        clickPoint(16, 16);  // white 2
    }
    QString file(const char* name) { return QString::fromStdString(dir_.file(name).string()); }
    bool save(const QString& path, bool numbers, double ratio = 1.0) {
        return saveBoardImage(state(), program().options(), board().size(), numbers, path,
                              boardImageFormatFor(path), ratio);
    }
    // The colour at the board point (col, row) of a picture of the board.
    QColor colourAt(const QImage& image, int col, int row) {
        const QPoint p = pointAt(col, row);
        const double sx = double(image.width()) / board().width();
        const double sy = double(image.height()) / board().height();
        return image.pixelColor(qRound(p.x() * sx), qRound(p.y() * sy));
    }
    QImage renderSvg(const QString& path) {
        QSvgRenderer svg(path);
        EXPECT_TRUE(svg.isValid());
        QImage image(board().size() * 2, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
        return image;
    }
};

TEST_F(BoardImageTest, PngShowsTheStonesAtAPrintableSize) {
    ASSERT_TRUE(save(file("board.png"), false));
    const QImage image(file("board.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), board().width() * 3);
    EXPECT_EQ(image.height(), board().height() * 3);
    EXPECT_LT(colourAt(image, 4, 4).lightness(), 60) << "black stone";
    EXPECT_GT(colourAt(image, 16, 16).lightness(), 200) << "white stone";
    // Half a line apart from a crossing lies the bare board.
    const QPoint bare = pointAt(10, 4) + QPoint(board().pitch() / 30, board().pitch() / 30);
    const QColor empty = image.pixelColor(bare * 3);
    const QColor boardColour = QColor::fromRgb(program().options().boardColour());
    EXPECT_LT(std::abs(empty.hue() - boardColour.hue()), 10) << "the board's own colour";
}

TEST_F(BoardImageTest, MoveNumbersAreDrawnOnlyWhenAsked) {
    ASSERT_TRUE(save(file("plain.png"), false));
    ASSERT_TRUE(save(file("numbered.png"), true));
    EXPECT_LT(colourAt(QImage(file("plain.png")), 4, 4).lightness(), 60);
    EXPECT_NE(QImage(file("plain.png")), QImage(file("numbered.png")));
    EXPECT_FALSE(program().options().showNumbers) << "the window keeps its own setting";
}

TEST_F(BoardImageTest, SvgIsAValidDrawingOfTheSameBoard) {
    ASSERT_TRUE(save(file("board.svg"), false));
    ASSERT_TRUE(save(file("numbered.SVG"), true));
    QFile text(file("board.svg"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("<svg"));
    const QImage plain = renderSvg(file("board.svg"));
    EXPECT_LT(colourAt(plain, 4, 4).lightness(), 60);
    EXPECT_GT(colourAt(plain, 16, 16).lightness(), 200);
    EXPECT_NE(plain, renderSvg(file("numbered.SVG")));
}

TEST_F(BoardImageTest, AFileThatCannotBeWrittenIsReportedAsNotSaved) {
    EXPECT_FALSE(save(file("missing-folder/board.png"), false));
    EXPECT_FALSE(save(file("missing-folder/board.svg"), false));
    EXPECT_FALSE(QFile::exists(file("missing-folder/board.svg")));
}

TEST(BoardImageFormat, FollowsTheSuffix) {
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("a.svg")), BoardImageFormat::Svg);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("図.SVG")), BoardImageFormat::Svg);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("a.png")), BoardImageFormat::Png);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("a.svg.png")), BoardImageFormat::Png);
    EXPECT_EQ(boardImageFormatFor(QStringLiteral("board")), BoardImageFormat::Png);
}

TEST_F(BoardImageTest, TheOptionsMenuOffersTheCommand) {
    auto* action = main().findChild<QAction*>(QStringLiteral("mImage"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("盤面を画像で保存"));
}

}  // namespace
}  // namespace kelmaz
