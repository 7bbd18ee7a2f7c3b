// A filled rectangle with a one-pixel outline, or a line when it is one pixel wide or high: the
// frames, strips and separators of the program's windows. It takes no mouse input.
#pragma once

#include <QColor>
#include <QWidget>

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

}  // namespace vorbix
