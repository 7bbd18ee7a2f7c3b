#include "shell/mainwindow/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace vorbix {

namespace {
QWidget* visibleOwner(QWidget* owner) {
    // A box asked for by an open editor belongs to the editor: closing it gives the focus back
    // there, not to the main window behind. Never to another box or a file dialog, which are
    // deleted when they close and would take this box with them.
    QWidget* modal = QApplication::activeModalWidget();
    while (modal && modal->testAttribute(Qt::WA_DeleteOnClose)) modal = modal->parentWidget();
    if (modal) return modal;
    return owner && owner->isVisible() ? owner : nullptr;
}

QMessageBox::Icon iconOf(MessageType type) {
    return type == MessageType::Error ? QMessageBox::Critical : QMessageBox::Information;
}
}  // namespace

QtPrompter::~QtPrompter() {
    for (const QPointer<QMessageBox>& box : boxes_) delete box.data();
}

QMessageBox* QtPrompter::openBox(int icon, const std::string& text, int buttons) {
    boxes_.removeAll(nullptr);
    auto* box = new QMessageBox(QMessageBox::Icon(icon), QStringLiteral("Vorbix"),
                                QString::fromStdString(text), QMessageBox::StandardButtons(buttons),
                                visibleOwner(owner_));
    box->setAttribute(Qt::WA_DeleteOnClose);
    boxes_.append(box);
    return box;
}

void QtPrompter::showMessage(const std::string& text, MessageType type) {
    openBox(iconOf(type), text, QMessageBox::Ok)->open();
}

void QtPrompter::showMessageFor(const std::string& text, MessageType type, int ms,
                                std::function<void()> closed) {
    QMessageBox* box = openBox(iconOf(type), text, QMessageBox::Ok);
    QTimer::singleShot(ms, box, [box] { box->done(QMessageBox::Ok); });
    if (closed) QObject::connect(box, &QMessageBox::finished, box, [closed](int) { closed(); });
    box->open();
}

void QtPrompter::ask(const std::string& question, Answer answer) {
    QMessageBox* box = openBox(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No);
    QObject::connect(box, &QMessageBox::finished, box, [box, answer](int) {
        if (answer) answer(box->standardButton(box->clickedButton()) == QMessageBox::Yes);
    });
    box->open();
}

QList<QMessageBox*> QtPrompter::openBoxes() const {
    QList<QMessageBox*> open;
    for (const QPointer<QMessageBox>& box : boxes_) {
        if (box && box->isVisible()) open.append(box.data());
    }
    return open;
}

}  // namespace vorbix
