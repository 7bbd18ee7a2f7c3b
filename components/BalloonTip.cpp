#include "components/BalloonTip.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace vorbix {

namespace {

constexpr int kMargin = 10;   // text to border
constexpr int kPointer = 14;  // height of the pointer
constexpr int kRadius = 7;

}  // namespace

BalloonTip::BalloonTip(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      text_(new QLabel(this)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("BalloonTip"));
    text_->setTextFormat(Qt::RichText);
    text_->setForegroundRole(QPalette::ToolTipText);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &QWidget::hide);
}

QPainterPath BalloonTip::outline() const {
    const int top = pointsDown_ ? 0 : kPointer;
    const QRectF box(0.5, top + 0.5, width() - 1.0, height() - kPointer - 1.0);
    QPainterPath path;
    path.addRoundedRect(box, kRadius, kRadius);
    QPainterPath pointer;
    const qreal edge = pointsDown_ ? box.bottom() : box.top();
    const qreal tip = pointsDown_ ? height() - 0.5 : 0.5;
    pointer.moveTo(tipX_ - kPointer * 0.6, edge);
    pointer.lineTo(tipX_, tip);
    pointer.lineTo(tipX_ + kPointer * 0.1, edge);
    pointer.closeSubpath();
    return path.united(pointer).simplified();
}

void BalloonTip::showAt(QWidget* anchor, const QString& text, int ms) {
    text_->setText(text);
    text_->adjustSize();
    const QSize box = text_->size() + QSize(2 * kMargin, 2 * kMargin);
    const QSize whole(box.width(), box.height() + kPointer);
    const QRect screen = anchor->screen()->availableGeometry();
    const QPoint topMid = anchor->mapToGlobal(QPoint(anchor->width() / 2, 0));
    const QPoint bottomMid = anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height()));
    pointsDown_ = topMid.y() - whole.height() >= screen.top();
    const QPoint tip = pointsDown_ ? topMid : bottomMid;
    // The pointer near the balloon's right end, so the balloon stands over the anchor's left.
    int left = tip.x() - (whole.width() - 3 * kPointer);
    left = std::clamp(left, screen.left(), std::max(screen.left(), screen.right() - whole.width()));
    tipX_ = std::clamp(tip.x() - left, kRadius + kPointer, whole.width() - kRadius - kPointer);
    const int top = pointsDown_ ? tip.y() - whole.height() : tip.y();
    setGeometry(left, top, whole.width(), whole.height());
    text_->move(kMargin, (pointsDown_ ? 0 : kPointer) + kMargin);
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
    show();
    raise();
    timer_->start(ms);
}

void BalloonTip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::ToolTipText), 1));
    p.setBrush(palette().color(QPalette::ToolTipBase));
    p.drawPath(outline());
}

void BalloonTip::mousePressEvent(QMouseEvent*) {
    hide();
}

}  // namespace vorbix
