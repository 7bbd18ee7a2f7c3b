#include "components/LinkLabel.h"

#include <QMouseEvent>
#include <utility>

namespace vorbix {

TLinkLabel::TLinkLabel(QWidget* parent, bool coloursText)
    : QLabel(parent), coloursText_(coloursText) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

void TLinkLabel::setIcon(const QIcon& icon, QSize size) {
    icon_ = icon;
    iconSize_ = size;
    iconWaiting_ = true;
    if (isVisible()) drawIcon();
}

void TLinkLabel::drawIcon() {
    if (!std::exchange(iconWaiting_, false)) return;
    setPixmap(std::exchange(icon_, QIcon()).pixmap(iconSize_));
}

void TLinkLabel::showEvent(QShowEvent* e) {
    drawIcon();
    QLabel::showEvent(e);
}

void TLinkLabel::setPartner(TLinkLabel* image) {
    image->owner_ = this;
}

TLinkLabel* TLinkLabel::colourTarget() {
    return owner_ ? owner_ : this;
}

void TLinkLabel::showColor(const QColor& color) {
    current_ = color;
    if (!coloursText_) return;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void TLinkLabel::setRestColor(const QColor& color) {
    rest_ = color;
    showColor(color);
}

void TLinkLabel::enterEvent(QEnterEvent* e) {
    colourTarget()->showColor(colourTarget()->hoverColor());
    QLabel::enterEvent(e);
}

void TLinkLabel::leaveEvent(QEvent* e) {
    colourTarget()->showColor(colourTarget()->restColor());
    QLabel::leaveEvent(e);
}

void TLinkLabel::mouseMoveEvent(QMouseEvent* e) {
    if (!e->buttons()) colourTarget()->showColor(colourTarget()->hoverColor());
    QLabel::mouseMoveEvent(e);
}

void TLinkLabel::mousePressEvent(QMouseEvent* e) {
    colourTarget()->showColor(colourTarget()->restColor());
    // Taking the press makes this label receive the release, which is the click.
    e->accept();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* e) {
    colourTarget()->showColor(colourTarget()->restColor());
    const bool inside = rect().contains(e->position().toPoint());
    e->accept();
    if (e->button() == Qt::LeftButton && inside) emit clicked();
}

}  // namespace vorbix
