// The board painted from its stored pictures equals the board drawn line by line and stone by
// stone, at every size, pixel ratio and look, after every kind of change: a repaint of only the
// region the view names as changed leaves the same picture as the plain drawing.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <random>

#include "engine/BoardOptions.h"
#include "engine/Engine.h"
#include "engine/GameState.h"
#include "shell/ui/FomSet.h"
#include "support/ProgramFixture.h"
#include "view/ui/BoardView.h"

namespace kelmaz {
namespace {

// Two pictures agree when no channel of any pixel differs by more than this. A stored stone
// holds its antialiased edge as a colour already weighted by coverage and rounded to whole
// levels, then blended over the board; the plain drawing blends colour and coverage in one go.
// Each of the two blends of a white stone (fill, outline) may thus round one level apart. A
// wrong colour, a missing or stale stone, number, dot or marker differs by far more.
constexpr int kTolerance = 2;

struct Difference {
    int worst = 0;  // largest channel difference
    QPoint at;      // where it is, in device pixels
};

Difference compare(const QImage& a, const QImage& b) {
    if (a.isNull() || a.size() != b.size()) return {256, QPoint(-1, -1)};
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int diff = std::max({std::abs(qRed(pa[x]) - qRed(pb[x])),
                                       std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                                       std::abs(qBlue(pa[x]) - qBlue(pb[x]))});
            if (diff > d.worst) d = {diff, QPoint(x, y)};
        }
    }
    return d;
}

// Each case runs at 1 and at 2 device pixels per pixel.
class BoardPainting : public ::testing::TestWithParam<double> {
  protected:
    BoardPainting() : view_(state_, options_) { view_.setAttribute(Qt::WA_DontShowOnScreen); }

    QImage blank() const {
        const double ratio = GetParam();
        QImage image(view_.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::magenta);  // shows through wherever a painting leaves a pixel out
        return image;
    }
    QImage plain() const {
        QImage image = blank();
        QPainter painter(&image);
        view_.paintPlain(painter);
        return image;
    }
    // The view's picture at `ratio`: everything painted once, then only the region it names
    // as changed painted over the previous picture, as a window repaints.
    const QImage& stored() {
        if (picture_.size() != view_.size() * GetParam()) {
            picture_ = blank();
            view_.render(&picture_);
        } else if (const QRegion changed = view_.changedRegion(GetParam()); !changed.isEmpty()) {
            // The region's corner goes to the given point of the picture.
            view_.render(&picture_, changed.boundingRect().topLeft(), changed);
        }
        return picture_;
    }
    void expectSame(const char* what) {
        const Difference d = compare(stored(), plain());
        EXPECT_LE(d.worst, kTolerance)
            << what << ", " << state_.BoardSize << " lines, " << view_.width() << " px, numbers "
            << options_.showNumbers << ", board tint " << options_.boardTintIndex << ", white tint "
            << options_.whiteTintIndex << ", rotated " << state_.BoardRotated << ": pixel ("
            << d.at.x() << ", " << d.at.y() << ")";
    }

    void setBoardSize(int sizeIndex) {
        options_.sizeIndex = sizeIndex;
        state_ = GameState{};
        state_.BoardSize = options_.boardSize();
    }
    // A crowded position: most points hold a stone, with move numbers up to three digits;
    // the last move's stone carries the marker.
    void fillBoard() {
        std::uniform_int_distribution<int> roll(0, 9), number(1, 450);
        const int n = state_.BoardSize;
        for (int c = 1; c <= n; ++c) {
            for (int r = 1; r <= n; ++r) {
                const int k = roll(random_);
                state_.BoardGrid[c][r] = k < 2 ? 0 : (k % 2 ? kBlack : kWhite) + 1;
                state_.MoveNoGrid[c][r] = k < 2 ? 0 : number(random_);
            }
        }
        playAt(n / 2 + 1, n / 2 + 1, kWhite, 451);
    }
    void playAt(int c, int r, int colour, int moveNumber) {
        state_.BoardGrid[c][r] = colour + 1;
        state_.MoveNoGrid[c][r] = moveNumber;
        state_.LastMarkX = c;
        state_.LastMarkY = r;
        state_.MoveCount = moveNumber;
        state_.CurrentColour = colour == kBlack ? kWhite : kBlack;
    }
    // A step: a stone beside the last one takes a group of neighbours off the board.
    void stepWithCapture() {
        const int c = state_.LastMarkX, r = state_.LastMarkY;
        for (const auto& [dc, dr] : {std::pair{1, 0}, {1, 1}, {2, 0}, {0, 1}})
            state_.BoardGrid[c + dc][r + dr] = state_.MoveNoGrid[c + dc][r + dr] = 0;
        playAt(c - 1, r, state_.CurrentColour, state_.MoveCount + 1);
    }

    GameState state_;
    BoardOptions options_;
    BoardView view_;
    QImage picture_;  // what the view has painted so far
    std::mt19937 random_{20261209};
};

TEST_P(BoardPainting, AgreesWithThePlainDrawingForEveryLookAndSize) {
    struct Look {
        int sizeIndex, boardTint, whiteTint;
        bool numbers, rotated, digits;
        int width;
    };
    // Each look changes a few of its neighbour's settings, so that every setting is seen
    // both changing alone and together with others, and at widths with odd and even pitches.
    const Look looks[] = {
        {0, 0, 0, true, false, true, 267},  {0, 1, 0, true, false, true, 267},
        {0, 2, 1, true, false, true, 267},  {0, 2, 1, false, false, true, 267},
        {0, 0, 1, false, true, false, 267}, {0, 0, 0, true, true, true, 411},
        {1, 1, 0, true, false, true, 411},  {1, 1, 1, false, true, false, 411},
        {2, 2, 0, true, false, true, 411},  {2, 0, 1, false, false, false, 180},
        {2, 1, 0, true, true, true, 700},   {0, 1, 1, true, false, true, 1000},
    };
    for (const Look& look : looks) {
        setBoardSize(look.sizeIndex);
        options_.boardTintIndex = look.boardTint;
        options_.whiteTintIndex = look.whiteTint;
        options_.showNumbers = look.numbers;
        options_.digitLabels = look.digits;
        view_.resize(look.width, look.width);
        fillBoard();
        state_.BoardRotated = look.rotated;
        expectSame("new look");

        view_.setMarkerLit(true);
        expectSame("marker lit");
        stepWithCapture();
        expectSame("step with a capture");
        view_.setMarkerLit(false);
        expectSame("marker out");
    }
}

// Every size a record may bring (2 to 19 lines), the odd ones through no size option: the
// picture painted in steps is the plain drawing, stones, star points and labels included.
TEST_P(BoardPainting, EveryRecordSizePaintsAsThePlainDrawing) {
    view_.resize(300, 300);
    for (int n = 2; n <= kMaxBoardSize; ++n) {
        options_.otherSize = n;
        state_ = GameState{};
        state_.BoardSize = options_.boardSize();
        ASSERT_EQ(state_.BoardSize, n);
        fillBoard();
        state_.BoardRotated = n % 2 == 0;
        expectSame("record size");
        stepWithCapture();
        expectSame("record size, a step");
    }
}

// Every setting changed alone, with the position kept, makes the view repaint all it affects.
TEST_P(BoardPainting, EverySettingChangedAloneRepaintsWhatItAffects) {
    setBoardSize(0);
    view_.resize(300, 300);
    fillBoard();
    view_.setMarkerLit(true);
    expectSame("start");
    options_.showNumbers = true;
    expectSame("numbers shown");
    options_.boardTintIndex = 2;
    expectSame("board tint");
    options_.whiteTintIndex = 1;
    expectSame("white tint");
    options_.digitLabels = false;
    expectSame("letter labels");
    state_.BoardRotated = true;
    expectSame("rotated");
    state_.CurrentColour = kBlack;
    expectSame("marker colour");
    view_.resize(320, 320);
    expectSame("wider");
    QFont larger = view_.font();
    larger.setPointSize(larger.pointSize() + 3);
    view_.setFont(larger);
    expectSame("font");
    QPalette palette = view_.palette();
    palette.setColor(QPalette::Window, Qt::darkCyan);
    view_.setPalette(palette);
    expectSame("window colour");
    options_.showNumbers = false;
    expectSame("numbers hidden");
    setBoardSize(1);
    expectSame("13 lines, empty");
}

// Marks drawn over every kind of point, on each board tint, agree with the plain drawing, and
// the repaint after a step or after hiding them leaves nothing of them behind.
TEST_P(BoardPainting, MarksAgreeWithThePlainDrawingAndGoWithoutATrace) {
    for (int tint = 0; tint < 3; ++tint) {
        setBoardSize(0);
        options_.boardTintIndex = tint;
        options_.showMarkup = true;
        view_.resize(300, 300);
        fillBoard();
        view_.setMarkerLit(true);
        expectSame("start");
        const auto at = [](MarkKind kind, int c, int r, const char* text = "") {
            return Mark{kind, std::int16_t(c), std::int16_t(r), text};
        };
        const int c = state_.LastMarkX, r = state_.LastMarkY;
        // Points 1-1 .. 5-5 hold whatever the random board put there.
        Markup marks;
        for (int i = 1; i <= 5; ++i) {
            marks.add(at(MarkKind::Label, i, 1, "A"));
            marks.add(at(MarkKind::Label, i, 2, "長い名前の点"));
            marks.add(at(MarkKind::Triangle, i, 3));
            marks.add(at(MarkKind::Circle, i, 4));
            marks.add(at(MarkKind::Square, i, 5));
            marks.add(at(MarkKind::Cross, i, 6));
        }
        marks.add(at(MarkKind::Circle, c, r));  // over the marker
        marks.add(at(MarkKind::Label, c, r, "12"));
        state_.MoveMarkup[state_.MoveCount] = marks;
        expectSame("marks");
        stepWithCapture();  // the next move carries no marks
        expectSame("a step away from the marks");
        state_.MoveMarkup[state_.MoveCount] = marks;
        expectSame("marks again");
        options_.showMarkup = false;
        expectSame("marks hidden");
        state_.MoveMarkup = {};
    }
}

// A label far longer than a point can show is drawn by its first characters alone, as a label of
// those characters is (a label of 2,000,000 characters took over a second a repaint).
TEST_P(BoardPainting, ALongLabelIsDrawnByItsFirstCharactersAlone) {
    setBoardSize(2);
    options_.showMarkup = true;
    view_.resize(300, 300);
    std::string longText = "長い名前";
    for (int i = 0; i < 50000; ++i) longText += "の点";
    state_.MoveMarkup[0] = {{MarkKind::Label, 5, 5, longText}};
    const QImage withLongLabel = plain();
    state_.MoveMarkup[0] = {{MarkKind::Label, 5, 5, "長い名前"}};
    EXPECT_EQ(compare(withLongLabel, plain()).worst, 0);
}

// A number is redrawn when only the number at a point changes (a stone replaced by one of the
// same colour), and a region names nothing when nothing changed.
TEST_P(BoardPainting, ChangesOfANumberAloneAreRepaintedAndNothingElse) {
    setBoardSize(0);
    options_.showNumbers = true;
    view_.resize(267, 267);
    fillBoard();
    expectSame("start");
    EXPECT_TRUE(view_.changedRegion(GetParam()).isEmpty());

    state_.BoardGrid[3][3] = kBlack + 1;
    state_.MoveNoGrid[3][3] = 7;
    expectSame("first number");
    state_.MoveNoGrid[3][3] = 107;
    const QRegion region = view_.changedRegion(GetParam());
    EXPECT_FALSE(region.isEmpty());
    EXPECT_LT(region.boundingRect().width(), view_.width() / 10) << "one point only";
    expectSame("three-digit number");
}

// On the window itself, where each change repaints only the region the view names: after
// moves, a capture, a step back, the numbers switched on and the board turned round, what the
// screen shows is the plain drawing of the position.
using BoardOnScreen = test::ProgramFixture;

TEST_F(BoardOnScreen, ShowsThePlainDrawingAfterEveryChange) {
    start();
    // The board above the control panel, as on the screen and as drawn plainly.
    const auto screenMatches = [this] {
        const int height =
            panelLayout(board().pitch(), state().BoardSize, false).panel.top / kTwipsPerPixel;
        const QPoint corner = board().mapTo(&main(), QPoint(0, 0));
        const QImage shown =
            main()
                .screen()
                ->grabWindow(main().winId(), corner.x(), corner.y(), board().width(), height)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage plain(board().size() * board().devicePixelRatioF(),
                     QImage::Format_ARGB32_Premultiplied);
        plain.setDevicePixelRatio(board().devicePixelRatioF());
        QPainter painter(&plain);
        board().paintPlain(painter);
        painter.end();
        return compare(shown, plain.copy(QRect(QPoint(0, 0), shown.size()))).worst <= kTolerance;
    };
    ASSERT_TRUE(QTest::qWaitFor(screenMatches, 5000)) << "at start";
    // White's corner stone is taken by black at 2-1 and 1-2.
    for (const auto& [c, r] : {std::pair{2, 1}, {1, 1}, {1, 2}, {10, 10}}) {
        clickPoint(c, r);
        ASSERT_TRUE(QTest::qWaitFor(screenMatches, 5000)) << "after " << c << "-" << r;
    }
    ASSERT_EQ(stoneAt(1, 1), 0) << "the corner stone was taken";
    program().engine().Itemodosi();  // one move back
    ASSERT_TRUE(QTest::qWaitFor(screenMatches, 5000)) << "one move back";
    program().fomSet().Option5_Click(0);  // numbers shown
    ASSERT_TRUE(QTest::qWaitFor(screenMatches, 5000)) << "numbers shown";
    program().engine().Gkaiten_Click();  // the board turned round
    ASSERT_TRUE(QTest::qWaitFor(screenMatches, 5000)) << "turned round";
    program().engine().oneForward();
    ASSERT_TRUE(QTest::qWaitFor(screenMatches, 5000)) << "one move forward";
}

INSTANTIATE_TEST_SUITE_P(PixelRatios, BoardPainting, ::testing::Values(1.0, 2.0),
                         [](const auto& ratio) { return "x" + std::to_string(int(ratio.param)); });

}  // namespace
}  // namespace kelmaz
