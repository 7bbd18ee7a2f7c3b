// A balloon tip: a rounded box with a pointer, pointing at a widget from above (from below when
// the screen has no room above), with a text that may hold simple rich text. It closes itself
// after a while or on a click.
#pragma once

#include <QPainterPath>
#include <QWidget>

class QLabel;
class QTimer;

namespace vorbix {

class BalloonTip : public QWidget {
    Q_OBJECT
public:
    explicit BalloonTip(QWidget* parent);
    // Shows `text` pointing at the middle of `anchor`'s edge for `ms` milliseconds.
    void showAt(QWidget* anchor, const QString& text, int ms);
    QLabel* label() const { return text_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QPainterPath outline() const;

    QLabel* text_;
    QTimer* timer_;
    int tipX_ = 0;            // where the pointer meets the anchor, in the balloon
    bool pointsDown_ = true;  // the balloon lies above its anchor
};

}  // namespace vorbix
