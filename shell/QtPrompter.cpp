#include "shell/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace vorbix {

namespace {
QWidget* visibleOwner(QWidget* owner) {
    // A box asked for by an open editor belongs to the editor: closing it gives the focus back
    // there, not to the main window behind.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return owner && owner->isVisible() ? owner : nullptr;
}
}  // namespace

void QtPrompter::showMessage(const std::string& text, MessageType type) {
    QMessageBox box(type == MessageType::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Vorbix"), QString::fromStdString(text), QMessageBox::Ok,
                    visibleOwner(owner_));
    box.exec();
}

void QtPrompter::showMessageFor(const std::string& text, MessageType type, int ms) {
    QMessageBox box(type == MessageType::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Vorbix"), QString::fromStdString(text), QMessageBox::Ok,
                    visibleOwner(owner_));
    QTimer::singleShot(ms, &box, &QMessageBox::accept);
    box.exec();
}

bool QtPrompter::askYesNo(const std::string& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vorbix"),
                    QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No,
                    visibleOwner(owner_));
    return box.exec() == QMessageBox::Yes;
}

}  // namespace vorbix
