#include "components/BoxCaption.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>

namespace vorbix {

BoxCaption::BoxCaption(QAbstractButton* box, QWidget* parent) : QLabel(parent), box_(box) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBuddy(box);
    setEnabled(box->isEnabled());
    box->installEventFilter(this);
}

void BoxCaption::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && box_->isEnabled() &&
        rect().contains(e->position().toPoint())) {
        box_->setFocus(Qt::MouseFocusReason);
        box_->click();
    }
    QLabel::mouseReleaseEvent(e);
}

bool BoxCaption::eventFilter(QObject* watched, QEvent* e) {
    if (watched == box_ && e->type() == QEvent::EnabledChange) setEnabled(box_->isEnabled());
    return QLabel::eventFilter(watched, e);
}

}  // namespace vorbix
