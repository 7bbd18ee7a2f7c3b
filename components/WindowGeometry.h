// A top-level window's size, place and state as the configuration keeps them (WindowPlacement):
// restored after a load, read back for a save.
#pragma once

#include "storage/ConfigWindows.h"

class QWidget;

namespace vorbix {

// Size (not below the window's minimum), place (centred on the primary screen when the
// placement says so) and state (normal or maximised; a minimised state is not restored).
void restorePlacement(QWidget& window, const WindowPlacement& placement);
// The window's normal size and place and its state; a maximised window keeps its normal size.
WindowPlacement currentPlacement(const QWidget& window);

}  // namespace vorbix
