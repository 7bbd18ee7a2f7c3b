// The frame of the program's dialogs: a line of the frame colour around the content, which
// leaves a strip for the buttons at the bottom, and a line under the header. Designed at 96
// pixels per inch and scaled to `ppi`.
#pragma once

class QWidget;

namespace vorbix {

// Paints the frame on `dialog`, from its paintEvent.
void paintDialogFrame(QWidget& dialog, int ppi);

}  // namespace vorbix
