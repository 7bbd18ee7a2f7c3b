#include "editors/TextPrompt.h"

#include <QInputDialog>
#include <QLineEdit>

namespace vorbix {

QInputDialog* askText(QWidget* parent, const TextQuestion& question,
                      std::function<void(const QString&)> onOk) {
    auto* dialog = new QInputDialog(parent);
    dialog->setObjectName(QStringLiteral("TextPrompt"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowTitle(QStringLiteral("Vorbix"));
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setLabelText(question.prompt);
    dialog->setTextValue(question.preset);
    dialog->setOkButtonText(question.okText);
    dialog->setCancelButtonText(question.cancelText);
    // Room for a web address (the box sizes itself after its field).
    if (auto* field = dialog->findChild<QLineEdit*>(); field && parent)
        field->setMinimumWidth(parent->width() / 2);
    QObject::connect(dialog, &QInputDialog::textValueSelected, dialog,
                     [onOk = std::move(onOk)](const QString& text) { onOk(text); });
    dialog->open();
    return dialog;
}

}  // namespace vorbix
