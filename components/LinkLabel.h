// Small widgets of the main window: filled rectangles and lines ("shapes"), labels and images
// that act as links, and the bookkeeping that keeps designed positions anchored to the window's
// edges when it is resized.
#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QWidget>
#include <vector>

namespace vorbix {

class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent);
    void setColors(const QColor& fill, const QColor& outline);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor fill_ = Qt::black;
    QColor outline_ = Qt::black;
};

// A label or image the user clicks. A link label takes the hover colour while the pointer is over
// it (or over its partner image) and the rest colour when the pointer leaves or a button goes
// down or up.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent, bool coloursText = true);
    void setRestColor(const QColor& color);
    void setHoverColor(const QColor& color) { hover_ = color; }
    QColor currentColor() const { return current_; }
    // The image whose pointer movements colour this label too.
    void setPartner(TLinkLabel* image);
    void showColor(const QColor& color);
    const QColor& restColor() const { return rest_; }
    const QColor& hoverColor() const { return hover_; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    TLinkLabel* colourTarget();
    bool coloursText_;
    TLinkLabel* owner_ = nullptr;  // the label an image colours
    QColor rest_ = Qt::white;
    QColor hover_ = QColor(0x59, 0xA3, 0xFF);
    QColor current_ = Qt::white;
};

// Designed geometry (96 pixels per inch) with anchors, scaled once and kept on resizing.
class AnchorLayout {
public:
    enum Anchor { L = 1, T = 2, R = 4, B = 8 };
    AnchorLayout(int ppi, QSize designSize) : ppi_(ppi), design_(designSize) {}
    int scale(int value) const;
    QRect scale(const QRect& r) const;
    // Places `w` at the designed rectangle, scaled; anchors relative to its parent's size.
    void place(QWidget* w, QRect design, int anchors = L | T);
    // Moves a widget to a new designed rectangle (e.g. when a page switch moves a tab).
    void replace(QWidget* w, QRect design);
    // Re-applies every anchor for a parent of `size`.
    void relayout(QWidget* parent, QSize size);

private:
    struct Item {
        QWidget* widget;
        QRect design;
        int anchors;
    };
    int ppi_;
    QSize design_;
    std::vector<Item> items_;
    QSize lastSize_;
};

}  // namespace vorbix
