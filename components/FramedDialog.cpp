#include "components/FramedDialog.h"

#include <QLabel>

#include "components/DesignStyle.h"
#include "components/DialogFrame.h"

namespace vorbix {

FramedDialog::FramedDialog(QWidget* parent, Qt::WindowFlags flags, int ppi, QSize designedClient)
    : QDialog(parent, flags), layout_(ppi, designedClient) {
    setFont(designFont("Tahoma", 13));
}

FramedDialog::Header FramedDialog::addHeader(const QIcon& icon) {
    using A = AnchorLayout;
    auto* image = new QLabel(this);
    layout_.place(image, {20, 18, 24, 24});
    image->setPixmap(icon.pixmap(layout_.scale(QSize(24, 24))));
    auto* title = new QLabel(this);
    title->setObjectName(QStringLiteral("LabelHeader"));
    title->setFont(designFont("Trebuchet MS", 16));
    layout_.place(title, {50, 19, layout_.designSize().width() - 70, 24}, A::L | A::T | A::R);
    return {image, title};
}

void FramedDialog::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    paintDialogFrame(*this, layout_.ppi());
}

void FramedDialog::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layout_.relayout(this, size());
}

}  // namespace vorbix
