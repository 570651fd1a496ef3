// On a screen with more device pixels per pixel the board keeps its proportions: every line is
// as thick, in pixels, as on an ordinary screen.
#include <QImage>

#include "support/ProgramFixture.h"

namespace kelmaz {
namespace {

using HighDensity = test::ProgramFixture;

// Widths, in device pixels, of the dark runs along a row of the picture.
std::vector<int> darkRuns(const QImage& image, int y, int fromX, int toX) {
    std::vector<int> runs;
    int run = 0;
    for (int x = fromX; x <= toX; ++x) {
        if (image.pixelColor(x, y).lightness() < 80) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

TEST_F(HighDensity, GridLinesAreOnePixelWideAtEveryPixelRatio) {
    start();
    // Half a cell below row 10, across columns 2 to 18: only the vertical lines are crossed.
    const int y = pointAt(10, 10).y() + board().pitch() / 30;
    const int fromX = pointAt(2, 10).x() - 2, toX = pointAt(18, 10).x() + 2;
    for (int ratio : {1, 2, 3}) {
        QImage image(board().size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        board().render(&image);
        const std::vector<int> runs = darkRuns(image, y * ratio, fromX * ratio, toX * ratio);
        ASSERT_EQ(runs.size(), 17u) << "ratio " << ratio;
        for (int width : runs) EXPECT_EQ(width, ratio) << "ratio " << ratio;
    }
}

}  // namespace
}  // namespace kelmaz
