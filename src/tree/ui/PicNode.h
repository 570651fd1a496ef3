#pragma once
// The tree picture: every branch a row of numbered circles, variations joined to the row above
// at the node where they fork. Works in twips (15 to a pixel) and paints only what is visible.
#include <QWidget>

#include "document/TreeSession.h"
#include "view/BoardGeometry.h"

namespace kelmaz {

class PicNode : public QWidget {
    Q_OBJECT
  public:
    PicNode(const TreeSession& session, QWidget* parent);

    // The tree point shown at the picture's top left corner.
    void setOffset(int xTwips, int yTwips);
    int offsetX() const { return offsetX_; }
    int offsetY() const { return offsetY_; }

    // Outline colour of node k of branch b (comment red, every 10th light green, every 5th
    // yellow, else navy).
    QColor outlineColour(int b, int k) const;

  signals:
    // A press at a tree point (twips), any mouse button.
    void pressed(int xTwips, int yTwips);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void drawNode(QPainter& p, int x, int y, int b, int k, bool selected) const;

    const TreeSession& session_;
    int offsetX_ = 0, offsetY_ = 0;
};

}  // namespace kelmaz
