// The look the property editors and the search window share: the frame 8 pixels inside the
// client edges above the button strip, and the line under the header.
#pragma once

class QWidget;

namespace vorbix {

class AnchorLayout;

// Paints the frame and the header line on `window`, scaled as `layout` scales.
void paintEditorFrame(QWidget& window, const AnchorLayout& layout);

}  // namespace vorbix
