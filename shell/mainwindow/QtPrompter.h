// The program's message boxes (caption "Vorbix", OK; information or error icon) and yes/no
// questions, as Qt dialogs over the main window. Every box is opened with open(), never exec():
// no nested event loop, so hot keys, the tray, SIGTERM and the session end are answered while a
// box is up.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/Ports.h"

class QMessageBox;

namespace vorbix {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* owner) : owner_(owner) {}
    // Boxes still open close without answering.
    ~QtPrompter() override;
    void showMessage(const std::string& text, MessageType type) override;
    void ask(const std::string& question, Answer answer) override;
    // A message box that closes by itself after `ms` milliseconds unless OK is pressed first;
    // `closed` runs when it has closed either way.
    void showMessageFor(const std::string& text, MessageType type, int ms,
                        std::function<void()> closed = {});
    // The boxes open now, oldest first.
    QList<QMessageBox*> openBoxes() const;

private:
    QMessageBox* openBox(int icon, const std::string& text, int buttons);
    QPointer<QWidget> owner_;
    QList<QPointer<QMessageBox>> boxes_;
};

}  // namespace vorbix
