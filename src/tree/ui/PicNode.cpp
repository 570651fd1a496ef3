#include "tree/ui/PicNode.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace kelmaz {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kLightGreen(128, 255, 128);
const QColor kYellow(255, 255, 0);
const QColor kBackground(224, 224, 224);  // the selected node's white fill stands out on it
constexpr int kRadius = kNodeSize / 2;

}  // namespace

PicNode::PicNode(const TreeSession& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName("PicNode");
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PicNode::setOffset(int xTwips, int yTwips) {
    if (xTwips == offsetX_ && yTwips == offsetY_) return;
    offsetX_ = xTwips;
    offsetY_ = yTwips;
    update();
}

QColor PicNode::outlineColour(int b, int k) const {
    const TreeModel& m = session_.model();
    const int i = m.NodeIndex(b, k);
    if (i >= 0 && i < static_cast<int>(m.NodeComments.size()) && !m.NodeComments[i].empty())
        return kRed;
    const int label = m.nodeLabel(b, k);
    if (label % 10 == 0 && label > 0) return kLightGreen;
    if (label % 5 == 0 && label > 0) return kYellow;
    return kNavy;
}

void PicNode::drawNode(QPainter& p, int x, int y, int b, int k, bool selected) const {
    QPen pen(outlineColour(b, k));
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(selected ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPoint(x, y), kRadius, kRadius);
    QPen navy(kNavy);
    navy.setCosmetic(true);
    p.setPen(navy);
    p.drawText(QRect(x - kRadius, y - kRadius, kNodeSize, kNodeSize), Qt::AlignCenter,
               QString::number(session_.model().nodeLabel(b, k)));
    if (k > 1) p.drawLine(x - kRadius - 50, y, x - kRadius, y);
}

void PicNode::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), kBackground);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    p.translate(-offsetX_, -offsetY_);
    QFont font = p.font();
    font.setPixelSize(150);
    p.setFont(font);

    const QRect shown = event->rect();
    const int left = offsetX_ + shown.left() * kTwipsPerPixel - kNodePitch;
    const int right = offsetX_ + (shown.right() + 1) * kTwipsPerPixel + kNodePitch;
    const int top = offsetY_ + shown.top() * kTwipsPerPixel - kNodePitch;
    const int bottom = offsetY_ + (shown.bottom() + 1) * kTwipsPerPixel + kNodePitch;

    const TreeModel& m = session_.model();
    for (int b = 1; b <= m.BranchCount; ++b) {
        const int y = m.nodeY(b);
        if (b > 1) {
            const Connector c = m.TateLine(b);
            if (c.x >= left && c.x <= right && std::max(c.y1, c.y2) >= top &&
                std::min(c.y1, c.y2) <= bottom) {
                QPen navy(kNavy);
                navy.setCosmetic(true);
                p.setPen(navy);
                p.drawLine(c.x, c.y1, c.x, c.y2);
            }
        }
        if (y < top || y > bottom) continue;
        const int first = std::max(1, left / kNodePitch - m.BranchStart[b]);
        const int last = std::min(m.BranchNodeCount[b], right / kNodePitch - m.BranchStart[b] + 1);
        for (int k = first; k <= last; ++k) drawNode(p, m.nodeX(b, k), y, b, k, false);
    }
    if (session_.SelX != 0) {
        drawNode(p, session_.SelX, session_.SelY, session_.SelBranch, session_.SelNodeNo, true);
    }
}

void PicNode::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit pressed(offsetX_ + at.x() * kTwipsPerPixel, offsetY_ + at.y() * kTwipsPerPixel);
}

}  // namespace kelmaz
