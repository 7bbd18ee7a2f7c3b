#include "components/FramedDialog.h"

#include "components/DialogFrame.h"

namespace vorbix {

FramedDialog::FramedDialog(QWidget* parent, Qt::WindowFlags flags, int ppi, QSize designedClient)
    : QDialog(parent, flags), layout_(ppi, designedClient) {}

void FramedDialog::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    paintDialogFrame(*this, layout_.ppi());
}

void FramedDialog::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layout_.relayout(this, size());
}

}  // namespace vorbix
