// The notice of a Wayland session: the program's hot keys are X11 grabs, which reach it there
// only while a window of an X11 program has the focus. Said once per user (WaylandNotice in
// Config.ini) as a tray message, or in a message box when no tray shows the program's icon; the
// program keeps running as far as XWayland allows.
#pragma once

#include <string>

#include "core/Ports.h"

class QSystemTrayIcon;

namespace vorbix {

class LanguageFile;

class WaylandNotice {
public:
    // Tells the user when `wayland` holds and the configuration file has not recorded the notice
    // yet; the text is MessageWayland1 and MessageWayland2 of section "Main" of `language`.
    // `tray` may be null; the message box is the prompter's, which returns at once (the
    // program goes on, and ends on SIGTERM or Quit, while the box is up). Returns whether the
    // notice was given; a given notice is also written to the diagnostics (category
    // vorbix.session).
    static bool tellOnce(bool wayland, const std::string& configPath, const LanguageFile& language,
                         QSystemTrayIcon* tray, Prompter& prompter);
};

}  // namespace vorbix
