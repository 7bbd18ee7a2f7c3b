// The open dialogs of the main window (an editor, the settings dialog, the about box, a message
// box) follow the window. While one is open, activating the window (a click on it, the task
// list) gives the focus to the dialog in front, as desktops do for modal dialogs, so Esc and
// Enter reach it. Hiding the window (to the tray) hides its open dialogs too, and showing it
// again brings them back.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace vorbix {

class DialogsFollowWindow : public QObject {
    Q_OBJECT
public:
    explicit DialogsFollowWindow(QWidget* window);

    // The visible dialogs that belong to the window, owners before the dialogs they own.
    std::vector<QWidget*> openDialogs() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void passFocusOn();
    bool belongsToWindow(const QWidget* dialog) const;

    QWidget* window_;
    // Hidden with the window, shown again with it.
    std::vector<QPointer<QWidget>> hidden_;
};

}  // namespace vorbix
