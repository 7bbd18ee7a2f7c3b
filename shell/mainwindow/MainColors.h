// The four colours of the main window's scheme, as the configuration gives them.
#pragma once

#include <QColor>

namespace vorbix {

struct MainColors {
    QColor background;  // the window
    QColor panel;       // fill of the strips, the tab and the page frames
    QColor frame;       // outline of those, and the separator lines
    QColor text;        // the window's font, the links' rest colour
};

}  // namespace vorbix
