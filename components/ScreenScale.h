// Pixel sizes designed at 96 pixels per inch, scaled to the screen (ScaleToScreen applied to
// each coordinate), and the screen's pixels per inch.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace vorbix {

int scaled(int value, int ppi);
QSize scaled(const QSize& size, int ppi);
// Left, top, width and height each scaled (the right edge follows from them).
QRect scaled(const QRect& rect, int ppi);
// The logical pixels per inch of the primary screen; 96 without a screen.
int screenPpi();
// Moves a window to the centre of its parent's screen (the primary screen without a parent).
void centreOnScreen(QWidget& window);

}  // namespace vorbix
