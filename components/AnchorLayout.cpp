#include "components/AnchorLayout.h"

#include <QWidget>

#include "components/ScreenScale.h"

namespace vorbix {

int AnchorLayout::scale(int value) const {
    return scaled(value, ppi_);
}

QRect AnchorLayout::scale(const QRect& r) const {
    return scaled(r, ppi_);
}

QSize AnchorLayout::scale(const QSize& s) const {
    return scaled(s, ppi_);
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
