#include "shell/Widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "storage/StorageLocations.h"

namespace vorbix {

TShape::TShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShape::setColors(const QColor& fill, const QColor& outline) {
    fill_ = fill;
    outline_ = outline;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), outline_);
    if (width() > 2 && height() > 2) p.fillRect(rect().adjusted(1, 1, -1, -1), fill_);
}

TLinkLabel::TLinkLabel(QWidget* parent, bool coloursText)
    : QLabel(parent), coloursText_(coloursText) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
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

int AnchorLayout::scale(int value) const {
    return ScaleToScreen(value, ppi_);
}

QRect AnchorLayout::scale(const QRect& r) const {
    return QRect(scale(r.left()), scale(r.top()), scale(r.width()), scale(r.height()));
}

void AnchorLayout::place(QWidget* w, QRect design, int anchors) {
    items_.push_back({w, design, anchors});
    w->setGeometry(scale(design));
}

void AnchorLayout::replace(QWidget* w, QRect design) {
    for (auto& item : items_) {
        if (item.widget == w) item.design = design;
    }
    if (w->parentWidget()) relayout(w->parentWidget(), w->parentWidget()->size());
}

void AnchorLayout::relayout(QWidget* parent, QSize size) {
    const int dx = size.width() - scale(design_.width());
    const int dy = size.height() - scale(design_.height());
    for (const auto& item : items_) {
        if (item.widget->parentWidget() != parent) continue;
        QRect r = scale(item.design);
        if (item.anchors & R) {
            if (item.anchors & L)
                r.setWidth(r.width() + dx);
            else
                r.moveLeft(r.left() + dx);
        }
        if (item.anchors & B) {
            if (item.anchors & T)
                r.setHeight(r.height() + dy);
            else
                r.moveTop(r.top() + dy);
        }
        if (item.widget->geometry() != r) item.widget->setGeometry(r);
    }
}

}  // namespace vorbix
