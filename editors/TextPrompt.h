// A one-line question with the caption "Vorbix": an input box window-modal to its parent and
// opened without a nested event loop, its buttons named by the caller's language. `onOk` runs
// with the text when the user confirms; Cancel, Esc and the close box run nothing.
#pragma once

#include <QString>
#include <functional>

class QInputDialog;
class QWidget;

namespace vorbix {

struct TextQuestion {
    QString prompt;
    QString preset;  // the answer offered
    QString okText;
    QString cancelText;
};

QInputDialog* askText(QWidget* parent, const TextQuestion& question,
                      std::function<void(const QString&)> onOk);

}  // namespace vorbix
