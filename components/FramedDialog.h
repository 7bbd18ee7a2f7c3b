// A dialog in the program's design: its children are placed by an anchor layout from the
// designed client size (scaled to the screen) and follow it when the dialog is resized, and the
// dialog frame is painted around them.
#pragma once

#include <QDialog>

class QLabel;

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

    // The dialog takes the design font.
    FramedDialog(QWidget* parent, Qt::WindowFlags flags, int ppi, QSize designedClient);

    // The header: the icon at the top left and the title beside it, as wide as the dialog (the
    // line under them is the frame's).
    struct Header {
        QLabel* image;
        QLabel* title;
    };
    Header addHeader(const QIcon& icon);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

    AnchorLayout layout_;
};

}  // namespace vorbix
