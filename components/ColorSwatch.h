// A colour field the user clicks to choose a colour: a filled rectangle with a one-pixel outline
// that reports a press of a mouse button, and Space or Enter while it has the focus.
#pragma once

#include <QColor>
#include <QWidget>

namespace vorbix {

class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent);
    void setColor(const QColor& color);
    const QColor& color() const { return color_; }

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QColor color_ = Qt::black;
};

}  // namespace vorbix
