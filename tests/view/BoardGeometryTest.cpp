#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "view/BoardGeometry.h"

namespace kelmaz {
namespace {

TEST(GridPitch, FollowsTheWindowWidth) {
    EXPECT_EQ(GridPitch(4000, 19), 187);
    EXPECT_EQ(GridPitch(4000, 13), 274);
    EXPECT_EQ(GridPitch(4000, 9), 395);
    // 8/9 of 4500 is 4000; 4000 / 16 lines = 250 exactly.
    EXPECT_EQ(GridPitch(4500, 16), 250);
    EXPECT_EQ(GridPitch(0, 19), 1) << "the hit test must never divide by zero";
}

TEST(GridPitch, TiesRoundToEven) {
    // 8/9 of 4527 is 4024; on 16 lines that is 251.5, which rounds to 252 (even).
    EXPECT_EQ(GridPitch(4527, 16), 252);
    // 8/9 of 4509 is 4008; 250.5 rounds to 250 (even).
    EXPECT_EQ(GridPitch(4509, 16), 250);
}

TEST(HitTest, SnapsToTheNearestCrossing) {
    const int p = 187;
    HitResult hit = getpos(3 * p + 10, 5 * p - 20, p, 19);
    ASSERT_TRUE(hit.onBoard());
    EXPECT_EQ(hit.col, 3);
    EXPECT_EQ(hit.row, 5);
    EXPECT_EQ(hit.x, 3 * p);
    EXPECT_EQ(hit.y, 5 * p);
}

TEST(HitTest, HalfWayGoesToTheLowerLine) {
    // p = 188 so that the half-way point is a whole, even number of twips.
    const int p = 188;
    EXPECT_EQ(getpos(3 * p + 94, p, p, 19).col, 3);
    EXPECT_EQ(getpos(3 * p + 96, p, p, 19).col, 4);
    EXPECT_EQ(getpos(p, 7 * p + 94, p, 19).row, 7);
}

TEST(HitTest, ClicksOutsideTheBoard) {
    const int p = 187;
    EXPECT_EQ(getpos(p / 2 + 2, p, p, 19).col, 1) << "within half a pitch of line 1";
    EXPECT_FALSE(getpos(p / 2 - 2, p, p, 19).onBoard());
    EXPECT_FALSE(getpos(-50, p, p, 19).onBoard());
    EXPECT_FALSE(getpos(-1000, -1000, p, 19).onBoard());
    EXPECT_EQ(getpos(19 * p + p / 2 - 2, p, p, 19).col, 19);
    EXPECT_FALSE(getpos(19 * p + p / 2 + 4, p, p, 19).onBoard());
    EXPECT_FALSE(getpos(p, 20 * p, p, 19).onBoard());
    // The same click is off a 9-line board with the same pitch.
    EXPECT_FALSE(getpos(12 * p, p, p, 9).onBoard());
    EXPECT_FALSE(getpos(p, p, 0, 19).onBoard());
}

TEST(BoardDrawing, StarPointsPerSize) {
    EXPECT_EQ(starPoints(19).size(), 9u);
    EXPECT_EQ(starPoints(13), (std::vector<GridPoint>{{4, 4}, {4, 10}, {10, 4}, {10, 10}}));
    EXPECT_TRUE(starPoints(9).empty());
}

TEST(BoardDrawing, LabelsInBothStylesAndRotated) {
    BoardLabels digits = boardLabels(19, 187, true, false);
    EXPECT_EQ(digits.fontPoints, 9);
    ASSERT_EQ(digits.top.size(), 19u);
    EXPECT_EQ(digits.top[0].text, " 1");
    EXPECT_EQ(digits.top[18].text, "19");
    EXPECT_EQ(digits.top[2].x, 3 * 187);
    EXPECT_EQ(digits.top[2].y, 50);
    EXPECT_EQ(digits.left[2].x, 50);
    EXPECT_EQ(digits.left[2].y, 3 * 187);

    BoardLabels letters = boardLabels(9, 395, false, true);
    EXPECT_EQ(letters.fontPoints, 10);
    EXPECT_EQ(letters.top[0].text, " i") << "rotated: each point keeps its label";
    EXPECT_EQ(letters.top[8].text, " a");
    EXPECT_EQ(letters.top[0].y, 100) << "labels sit further in on 9 lines";
    EXPECT_EQ(letters.left[0].x, 100);
}

// At every pitch a stone stays within its point, so neighbours never overlap, and the star
// point, the last-move marker and the highlight dots lie inside a stone.
TEST(BoardDrawing, StonesFitTheirPointsAndCarryTheirMarksInside) {
    for (const int pitch : {60, 187, 200, 270, 600}) {
        SCOPED_TRACE(pitch);
        const double stone = stoneRadius(pitch);
        EXPECT_GT(stone, 0.0);
        EXPECT_LE(2 * stone, pitch);
        EXPECT_LT(starPointRadius(pitch), stone);
        EXPECT_LT(markerRadius(pitch), stone);
        for (const auto& dot : highlightDots(pitch))
            EXPECT_LE(std::hypot(dot.dx, dot.dy) + highlightDotRadius(pitch), stone);
    }
}

TEST(BoardDrawing, MoveNumberFontSizeRule) {
    const double r = 84;
    EXPECT_EQ(moveNumberFontSize(80, r), 13);
    EXPECT_EQ(moveNumberFontSize(84, r), 12) << "w equal to r is not less than r";
    EXPECT_EQ(moveNumberFontSize(139, r), 12);
    EXPECT_EQ(moveNumberFontSize(140, r), 10);
    EXPECT_EQ(moveNumberFontSize(251, r), 10);
    EXPECT_EQ(moveNumberFontSize(335, r), 7);
    EXPECT_EQ(moveNumberFontSize(336, r), 5);
}

TEST(Layout, HeightFollowsWidth) {
    EXPECT_EQ(windowHeightFor(4000, true, false, 19), 4800);
    EXPECT_EQ(windowHeightFor(4000, true, false, 9), 5300);
    EXPECT_EQ(windowHeightFor(4000, true, true, 13), 5300);
    EXPECT_EQ(windowHeightFor(4000, true, true, 9), 5500);
    EXPECT_EQ(windowHeightFor(4000, false, true, 19), 4600);
    EXPECT_EQ(windowHeightFor(4000, false, false, 9), 4900);
    // A window lower than its width asks for lays the board out for what its height allows.
    EXPECT_EQ(boardLayoutWidth(4000, 5300, true, true, 19), 4000);
    EXPECT_EQ(boardLayoutWidth(28800, 16200, true, true, 19), 14900);
    EXPECT_EQ(boardLayoutWidth(4000, 9000, false, false, 9), 4000);
}

TEST(Layout, ControlPanelBelowTheBoard) {
    const PanelLayout l = panelLayout(187, 19, true);
    EXPECT_EQ(l.panel.left, 100);
    EXPECT_EQ(l.panel.top, 100 + 19 * 187 + 125 + 20);
    EXPECT_EQ(l.panel.width, 100 + 19 * 187 + 125);
    EXPECT_EQ(l.panel.height, 1200);
    EXPECT_EQ(panelLayout(187, 19, false).panel.height, 475);
    ASSERT_EQ(l.buttons.size(), 8u);
    for (std::size_t i = 1; i < l.buttons.size(); ++i) {
        EXPECT_EQ(l.buttons[i].width, l.buttons[0].width);
        EXPECT_EQ(l.buttons[i].left, l.buttons[i - 1].right() + 50);
    }
    EXPECT_LE(l.buttons.back().right(), l.panel.width) << "every button fits in the panel";
    EXPECT_GT(l.moveNumberBox.left, 0);
    EXPECT_LT(l.moveNumberBox.right(), l.buttons[0].left);
    EXPECT_EQ(l.commentary.width, l.panel.width - 300);
    EXPECT_LE(l.commentary.bottom(), l.panel.height);
    EXPECT_EQ(panelLayout(300, 19, false).buttons[0].width, 450) << "never wider than 450";
}

TEST(Layout, WindowsOffEveryScreenComeBack) {
    const std::vector<TwipRect> screens{{0, 0, 28800, 16200}, {28800, 0, 19200, 16200}};
    const TwipRect onSecond{30000, 300, 4000, 4800};
    EXPECT_EQ(placeOnScreens(onSecond, screens), onSecond);
    const TwipRect far{90000, 90000, 4000, 4800};
    EXPECT_EQ(placeOnScreens(far, screens), (TwipRect{200, 200, 4000, 4800}));
    const TwipRect corner{28000, 15000, 4000, 4800};  // mostly on the second screen
    EXPECT_EQ(placeOnScreens(corner, screens), (TwipRect{28800, 11400, 4000, 4800}));
    const TwipRect titleAbove{500, -300, 4000, 4800};  // the title bar above the top
    EXPECT_EQ(placeOnScreens(titleAbove, screens), (TwipRect{500, 0, 4000, 4800}));
    const TwipRect huge{0, 0, 60000, 64800};
    const TwipRect fitted = placeOnScreens(huge, screens);
    EXPECT_EQ(fitted.width, 28800);
    EXPECT_EQ(fitted.height, 16200);
    EXPECT_EQ(placeOnScreens(far, {}), far);
}

TEST(BoardDrawing, StarPointsOfTheOtherSizes) {
    for (int n : {2, 3, 4, 5, 6}) EXPECT_TRUE(starPoints(n).empty()) << n;
    EXPECT_EQ(starPoints(7), (std::vector<GridPoint>{{3, 3}, {3, 5}, {5, 3}, {5, 5}, {4, 4}}));
    EXPECT_EQ(starPoints(8), (std::vector<GridPoint>{{3, 3}, {3, 6}, {6, 3}, {6, 6}}));
    EXPECT_EQ(starPoints(11).back(), (GridPoint{6, 6}));
    EXPECT_EQ(starPoints(12).size(), 4u);
    EXPECT_EQ(starPoints(15), (std::vector<GridPoint>{{4, 4}, {4, 12}, {12, 4}, {12, 12}}));
}

// Every size a record can bring: the hit test reaches every crossing and nothing beyond, the
// star points and labels stay on the board, and the panel lies below the last line.
class EverySize : public ::testing::TestWithParam<int> {};

TEST_P(EverySize, GeometryStaysOnTheBoard) {
    const int n = GetParam();
    const int width = 9000;
    const int p = GridPitch(width, n);
    ASSERT_GT(p, 0);
    for (int c = 1; c <= n; ++c) {
        const HitResult hit = getpos(c * p, (n + 1 - c) * p, p, n);
        ASSERT_TRUE(hit.onBoard()) << c;
        EXPECT_EQ(hit.col, c);
        EXPECT_EQ(hit.row, n + 1 - c);
    }
    EXPECT_FALSE(getpos((n + 1) * p, p, p, n).onBoard());
    EXPECT_FALSE(getpos(p, (n + 1) * p, p, n).onBoard());
    EXPECT_FALSE(getpos(p / 3, p, p, n).onBoard());
    for (const GridPoint& star : starPoints(n)) {
        EXPECT_GE(star.col, 1);
        EXPECT_LE(star.col, n);
        EXPECT_GE(star.row, 1);
        EXPECT_LE(star.row, n);
        // Symmetric: the point turned by 180 degrees is a star point too.
        const std::vector<GridPoint> all = starPoints(n);
        EXPECT_NE(std::find(all.begin(), all.end(), GridPoint{n + 1 - star.col, n + 1 - star.row}),
                  all.end());
    }
    for (bool digits : {true, false}) {
        for (bool rotated : {false, true}) {
            const BoardLabels labels = boardLabels(n, p, digits, rotated);
            ASSERT_EQ(labels.top.size(), std::size_t(n));
            ASSERT_EQ(labels.left.size(), std::size_t(n));
            EXPECT_EQ(labels.top.back().x, n * p);
            const std::string first = labels.top.front().text;
            const std::string expected =
                digits ? (rotated ? (n < 10 ? " " : "") + std::to_string(n) : std::string(" 1"))
                       : std::string(" ") + char(rotated ? 'a' + n - 1 : 'a');
            EXPECT_EQ(first, expected) << digits << rotated;
        }
    }
    const PanelLayout panel = panelLayout(p, n, true);
    EXPECT_GT(panel.panel.top, kBoardMargin + n * p);
    EXPECT_GT(windowHeightFor(width, true, true, n), width);
}

INSTANTIATE_TEST_SUITE_P(TwoToNineteen, EverySize, ::testing::Range(2, 20));

}  // namespace
}  // namespace kelmaz
