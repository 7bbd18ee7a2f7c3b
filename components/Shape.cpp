#include "components/Shape.h"

#include <QPainter>

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

}  // namespace vorbix
