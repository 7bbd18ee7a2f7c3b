// A label or image the user clicks. A link label takes the hover colour while the pointer is over
// it (or over its partner image) and the rest colour when the pointer leaves or a button goes
// down or up.
#pragma once

#include <QColor>
#include <QIcon>
#include <QLabel>

namespace vorbix {

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent, bool coloursText = true);
    void setRestColor(const QColor& color);
    void setHoverColor(const QColor& color) { hover_ = color; }
    QColor currentColor() const { return current_; }
    // The image whose pointer movements colour this label too.
    void setPartner(TLinkLabel* image);
    // Shows `icon` at `size`, drawn when the label is first shown (an icon of the desktop's
    // theme is looked up only then).
    void setIcon(const QIcon& icon, QSize size);
    void showColor(const QColor& color);
    const QColor& restColor() const { return rest_; }
    const QColor& hoverColor() const { return hover_; }

signals:
    void clicked();

protected:
    void showEvent(QShowEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    TLinkLabel* colourTarget();
    void drawIcon();

    bool coloursText_;
    TLinkLabel* owner_ = nullptr;  // the label an image colours
    QColor rest_ = Qt::white;
    QColor hover_ = QColor(0x59, 0xA3, 0xFF);
    QColor current_ = Qt::white;
    QIcon icon_;  // waiting to be drawn (see setIcon)
    QSize iconSize_;
    bool iconWaiting_ = false;
};

}  // namespace vorbix
