// The program's message boxes (caption "Vorbix", OK; information or error icon) and yes/no
// questions, as Qt dialogs over the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/Ports.h"

namespace vorbix {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* owner) : owner_(owner) {}
    void showMessage(const std::string& text, MessageType type) override;
    bool askYesNo(const std::string& question) override;
    // A message box that closes by itself after `ms` milliseconds unless OK is pressed first.
    void showMessageFor(const std::string& text, MessageType type, int ms);

private:
    QPointer<QWidget> owner_;
};

}  // namespace vorbix
