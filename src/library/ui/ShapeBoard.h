#pragma once
// The board of the library window: the position a search starts from, the rectangle of a
// pattern (dragged with the mouse; a click on a point inside it cycles black, white, empty and
// "any") and the continuations of the last search as letters.
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "library/ShapeQuery.h"

namespace kelmaz {

class ShapeBoard : public QWidget {
    Q_OBJECT
  public:
    explicit ShapeBoard(QWidget* parent = nullptr);

    void setPosition(const library::Pattern& position);  // a full-board pattern
    const library::Pattern& position() const { return position_; }
    // The dragged rectangle with the states chosen in it; nothing before a drag.
    std::optional<library::Pattern> pattern() const { return pattern_; }
    // Letters A, B, ... on the points of the continuations, most played first.
    void setContinuations(const std::vector<int>& points);

    QSize sizeHint() const override { return {380, 380}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    double cell() const;
    std::optional<int> pointAt(QPoint at) const;
    void selectRegion(int from, int to);

    library::Pattern position_;
    std::optional<library::Pattern> pattern_;
    std::vector<int> continuations_;
    std::optional<int> dragFrom_;
    bool dragged_ = false;
};

}  // namespace kelmaz
