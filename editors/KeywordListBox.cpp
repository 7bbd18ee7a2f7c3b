#include "editors/KeywordListBox.h"

#include <QApplication>
#include <QMouseEvent>

namespace vorbix {

KeywordListBox::KeywordListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFocusPolicy(Qt::ClickFocus);
}

KeywordList KeywordListBox::keywords() const {
    KeywordList list;
    for (int i = 0; i < count(); ++i) {
        list.items.push_back(item(i)->text().toStdString());
        list.selected.push_back(item(i)->isSelected());
    }
    list.focused = currentRow();
    return list;
}

void KeywordListBox::setKeywords(const KeywordList& list) {
    const QSignalBlocker block(this);
    clear();
    for (size_t i = 0; i < list.items.size(); ++i) {
        addItem(QString::fromStdString(list.items[i]));
        item(int(i))->setSelected(list.selected[i]);
    }
    if (list.focused >= 0 && list.focused < count()) {
        setCurrentRow(list.focused, QItemSelectionModel::NoUpdate);
        scrollToItem(item(list.focused));
    }
}

void KeywordListBox::mousePressEvent(QMouseEvent* e) {
    pressedAt_ = e->position().toPoint();
    QListWidgetItem* at = itemAt(pressedAt_);
    pressedOnEntry_ = at && e->button() == Qt::LeftButton;
    pressedOnSelected_ = pressedOnEntry_ && at->isSelected() && e->modifiers() == Qt::NoModifier;
    dragging_ = false;
    if (pressedOnSelected_) {
        setFocus(Qt::MouseFocusReason);
        setCurrentRow(row(at), QItemSelectionModel::NoUpdate);
        e->accept();
        return;
    }
    QListWidget::mousePressEvent(e);
}

void KeywordListBox::mouseMoveEvent(QMouseEvent* e) {
    if (!pressedOnEntry_ || !(e->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(e);
        return;
    }
    const QPoint at = e->position().toPoint();
    if (!dragging_ && (at - pressedAt_).manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    dragging_ = true;
    // Only entries of this list count; beyond them nothing moves.
    QListWidgetItem* over = itemAt(at);
    if (!over) return;
    KeywordList list = keywords();
    const KeywordList before = list;
    dragOver(list, row(over));
    if (list.items != before.items || list.selected != before.selected ||
        list.focused != before.focused) {
        setKeywords(list);
    }
}

void KeywordListBox::mouseReleaseEvent(QMouseEvent* e) {
    const bool clickOnSelected = pressedOnSelected_ && !dragging_;
    pressedOnEntry_ = pressedOnSelected_ = dragging_ = false;
    if (clickOnSelected) {
        if (QListWidgetItem* at = itemAt(e->position().toPoint())) {
            setCurrentItem(at, QItemSelectionModel::ClearAndSelect);
        }
        e->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(e);
}

}  // namespace vorbix
