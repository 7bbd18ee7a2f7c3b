// A top-level window's size, place and state as the configuration keeps them (WindowPlacement,
// in device pixels, as the Windows version stores them): restored after a load, read back for a
// save.
#pragma once

#include "storage/ConfigWindows.h"

class QWidget;

namespace vorbix {

// Size (not below the window's designed minimum), place (centred on the primary screen when the
// placement says so) and state (normal or maximised; a minimised state is not restored), fitted
// to the screens that exist (core/WindowFit.h): the title bar and the menus on a screen, the
// size at most the available area, whatever the scale; the minimum yields to a smaller screen.
// Once the window manager has framed the window, the fit is checked again with the real frame.
void restorePlacement(QWidget& window, const WindowPlacement& placement);
// The window's normal size and place and its state; a maximised window keeps its normal size.
WindowPlacement currentPlacement(const QWidget& window);

}  // namespace vorbix
