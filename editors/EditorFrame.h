// The look the property editors and the search window share: the frame 8 pixels inside the
// client edges above the button strip, the line under the header, the place on the screen.
#pragma once

class QScreen;
class QWidget;

namespace vorbix {

class AnchorLayout;

// Paints the frame and the header line on `window`, scaled as `layout` scales.
void paintEditorFrame(QWidget& window, const AnchorLayout& layout);
// Moves `window` to the centre of the screen's available area (the primary screen when null).
void centreWindowOn(QWidget& window, QScreen* screen);

}  // namespace vorbix
