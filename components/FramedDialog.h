// A dialog in the program's design: its children are placed by an anchor layout from the
// designed client size (scaled to the screen) and follow it when the dialog is resized, and the
// dialog frame is painted around them.
#pragma once

#include <QDialog>

#include "components/AnchorLayout.h"

namespace vorbix {

class FramedDialog : public QDialog {
    Q_OBJECT
protected:
    // A title with the window menu and a close button, nothing more.
    static Qt::WindowFlags closableFlags() {
        return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }

    FramedDialog(QWidget* parent, Qt::WindowFlags flags, int ppi, QSize designedClient);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    AnchorLayout layout_;
};

}  // namespace vorbix
