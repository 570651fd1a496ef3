#pragma once
// The board as painted on the main window's client area: everything is drawn from the game
// state in twips, through a painter scaled to pixels, so the picture always equals the state.
// Clicks are reported in twips and wheel turns in notches; the window decides what they mean.
// The board takes the keyboard focus when clicked or reached with Tab.
#include <QWidget>

#include "engine/BoardOptions.h"
#include "engine/GameState.h"

namespace kelmaz {

class BoardView : public QWidget {
    Q_OBJECT
  public:
    BoardView(const GameState& state, const BoardOptions& options, QWidget* parent = nullptr);

    int pitch() const;  // GridPitch for the current width and board size
    // Whether the blinking last-move marker is lit at the moment.
    void setMarkerLit(bool lit);
    bool markerLit() const { return markerLit_; }

  signals:
    // A left click, in twips from the client corner.
    void leftClicked(int xTwips, int yTwips);
    void otherClicked(const QPoint& globalPos);
    // Whole notches of the wheel: negative turned away from the user, positive towards.
    void wheelTurned(int notches);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void drawEmptyBoard(QPainter& painter, int p) const;
    void drawStones(QPainter& painter, int p) const;
    void drawMarker(QPainter& painter, int p) const;
    void drawMoveNumber(QPainter& painter, int n, QPointF centre, int colour, int p) const;

    const GameState& state_;
    const BoardOptions& options_;
    bool markerLit_ = false;
    int wheelRest_ = 0;  // eighths of a degree short of a whole notch (fine-grained wheels)
};

}  // namespace kelmaz
