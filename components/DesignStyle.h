// The program's look: the designed fonts, the hover colour of link labels, the colours of the
// property editors' frame, colour values of the configuration as Qt colours, and the desktop's
// palette for widgets that keep the desktop's colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "storage/Colors.h"

namespace vorbix {

// The colour link labels take while the pointer is over them.
inline const QColor kHoverColor{0x59, 0xA3, 0xFF};
// The frame and header line of the property editors.
inline const QColor kFrameColor{130, 135, 144};

// `family` at `pixelSize` pixels (a sans-serif stands in when the family is missing).
QFont designFont(const char* family, int pixelSize, bool bold = false);

// The desktop's palette with every colour set, so that a widget given it keeps the desktop's
// colours instead of inheriting the window's own scheme.
QPalette desktopPalette();

// A colour value of the configuration: a system colour (taken from `palette`) or $00BBGGRR.
QColor toQColor(ColorValue c, const QPalette& palette);

}  // namespace vorbix
