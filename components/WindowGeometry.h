// A top-level window's size, place and state as the configuration keeps them (WindowPlacement):
// restored after a load, read back for a save.
#pragma once

#include <QList>
#include <QRect>

#include "storage/ConfigWindows.h"

class QWidget;

namespace vorbix {

// Size (not below the window's minimum), place (centred on the primary screen when the
// placement says so; a place off every screen is moved onto the nearest one) and state (normal
// or maximised; a minimised state is not restored).
void restorePlacement(QWidget& window, const WindowPlacement& placement);
// The window's normal size and place and its state; a maximised window keeps its normal size.
WindowPlacement currentPlacement(const QWidget& window);
// Where a window of rectangle `window` goes so that a person can reach it on one of `screens`
// (their available areas): where it is when a piece of it of at least kReachable pixels each
// way (the whole window when it is smaller) lies on a screen, else onto the nearest screen, as
// far inside as its size allows. No screens: where it is.
inline constexpr int kReachable = 40;
QPoint reachablePlace(const QRect& window, const QList<QRect>& screens);

}  // namespace vorbix
