#pragma once
// The board as painted on the main window's client area: everything is drawn from the game
// state in twips, through a painter scaled to pixels, so the picture always equals the state.
// Clicks are reported in twips and wheel turns in notches; the window decides what they mean.
// The board takes the keyboard focus when clicked or reached with Tab.
//
// The marks of the move shown (labels, triangles, circles, squares, crosses) are drawn over the
// stones and the marker on every paint, and never stored in a picture.
//
// On a pixel device the board is not drawn anew on every paint: the empty board and each kind
// of stone, with each number it carries, are rendered once per size and look, the stones are
// copied onto a copy of the empty board, and a change of position redraws only the points that
// changed. Vector devices, and painters that do not map pixels onto whole device pixels, get the
// plain drawing.
#include <QCache>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <optional>
#include <vector>

#include "engine/BoardOptions.h"
#include "engine/GameState.h"
#include "view/BoardGeometry.h"

namespace kelmaz {

class BoardView : public QWidget {
    Q_OBJECT
  public:
    BoardView(const GameState& state, const BoardOptions& options, QWidget* parent = nullptr);

    int pitch() const;  // GridPitch for the layout width and board size
    // The width (twips) the board is laid out for; 0 (the default) is the view's own width.
    void setLayoutWidth(int twips) { layoutWidth_ = twips; }
    // Whether the blinking last-move marker is lit at the moment.
    void setMarkerLit(bool lit);
    bool markerLit() const { return markerLit_; }

    // What a repaint at `ratio` device pixels per pixel (the widget's own when 0) must cover
    // to show the state as it is now: the points whose stone or number changed since the last
    // painting and the marker's points, or the whole board when its size or look changed.
    QRegion changedRegion(double ratio = 0) const;
    // Schedules the repaint of changedRegion() after a change of position.
    void showChanges();
    // The whole board drawn line by line and stone by stone, without any stored picture.
    void paintPlain(QPainter& painter) const;

  signals:
    // A left click, in twips from the client corner.
    void leftClicked(int xTwips, int yTwips);
    // The mouse moved with the left button held, in twips from the client corner.
    void leftDragged(int xTwips, int yTwips);
    void otherClicked(const QPoint& globalPos);
    // Whole notches of the wheel: negative turned away from the user, positive towards.
    void wheelTurned(int notches);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // A move number's font and the size of its text, in twips.
    struct NumberLayout {
        QFont font;
        QSizeF size;
    };
    // Everything the stored pictures depend on besides the stones.
    struct PictureKey {
        QSize size;
        double ratio = 0;
        int boardSize = 0;
        std::uint32_t boardColour = 0, whiteColour = 0;
        bool numbers = false, digitLabels = false, rotated = false;
        QFont font;
        QBrush background;
        bool operator==(const PictureKey&) const = default;
    };
    // What a point of the stored picture shows.
    struct Shown {
        int stone = 0, number = 0;
        bool operator==(const Shown&) const = default;
    };

    void drawEmptyBoard(QPainter& painter, int p) const;
    void drawStones(QPainter& painter, int p) const;
    void drawStone(QPainter& painter, int c, int row, int p, const NumberLayout* number) const;
    void drawStoneShape(QPainter& painter, int colour, QPointF centre, int p) const;
    void drawMarker(QPainter& painter, int p, bool storedLayouts) const;
    void drawDeadMarks(QPainter& painter, int p) const;
    void drawMoveNumber(QPainter& painter, int n, const NumberLayout& layout, QPointF centre,
                        int colour) const;
    // The marks to show: those of the move shown that lie on the board, when they are shown.
    Markup marksToShow() const;
    void drawMarkup(QPainter& painter, int p, const Markup& marks) const;
    void drawMark(QPainter& painter, int p, const MarkView& mark) const;
    QRegion markupRegion(const Markup& marks) const;
    NumberLayout numberLayout(int n, int p) const;

    PictureKey pictureKey(double ratio) const;
    Shown shownAt(int c, int row) const;
    // The move number the stone on (c, row) shows, counted from the record's first number; 0
    // for none.
    int numberShown(int c, int row) const;
    // The index of a point in shown_.
    std::size_t slot(int c, int row) const {
        return std::size_t(c - 1) * key_.boardSize + std::size_t(row - 1);
    }
    QRegion changedPoints(int* count = nullptr) const;
    std::optional<GridPoint> markerPoint() const;
    const NumberLayout& cachedNumberLayout(int n) const;
    QRect pointBounds(GridPoint point, int number) const;
    int spriteMargin(int number) const;
    const QImage& stoneSprite(int colour, int number, QPointF fraction);
    void rebuildPicture(const PictureKey& key);
    void updatePicture();

    const GameState& state_;
    const BoardOptions& options_;
    bool markerLit_ = false;
    int layoutWidth_ = 0;
    int wheelRest_ = 0;  // eighths of a degree short of a whole notch (fine-grained wheels)

    PictureKey key_;
    QImage background_;  // the window's colour and the empty board
    QImage picture_;     // the background with the stones and their numbers
    std::vector<Shown> shown_;
    std::optional<GridPoint> markerShown_;
    Markup markupShown_;                               // the marks painted last
    std::vector<std::pair<int, int>> deadMarksShown_;  // the dead-stone crosses painted last
    mutable QHash<int, NumberLayout> numberLayouts_;
    // Stones by colour, number and centre within a device pixel, up to this many kilobytes.
    static constexpr int kSpriteCacheKilobytes = 96 * 1024;
    QCache<quint64, QImage> sprites_{kSpriteCacheKilobytes};
};

}  // namespace kelmaz
