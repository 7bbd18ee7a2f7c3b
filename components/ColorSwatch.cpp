#include "components/ColorSwatch.h"

#include <QKeyEvent>
#include <QPainter>

namespace vorbix {

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColor(const QColor& color) {
    color_ = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor outline = hasFocus() ? palette().color(QPalette::Highlight) : QColor(Qt::black);
    p.fillRect(rect(), outline);
    if (width() > 2 && height() > 2) p.fillRect(rect().adjusted(1, 1, -1, -1), color_);
}

void ColorSwatch::mousePressEvent(QMouseEvent* e) {
    e->accept();
    emit pressed();
}

void ColorSwatch::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit pressed();
        return;
    }
    QWidget::keyPressEvent(e);
}

}  // namespace vorbix
