// The notices of a Wayland session, each said once per user as a tray message, or in a message
// box when no tray shows the program's icon. The box waits for nobody: the program goes on
// (and can quit, or end with the session) while it is open.
// - Without the desktop's shortcut portal the hot keys are X11 grabs, which reach the program
//   only while a window of an X11 program has the focus (WaylandNotice in Config.ini); it keeps
//   running as far as XWayland allows.
// - With the portal the desktop binds them and may ask the user first; they work wherever the
//   focus is, the window actions reach X11 windows only (PortalNotice).
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
    // The portal's notice (MessagePortalHotKeys), when the configuration file has not recorded
    // it yet.
    static bool tellPortalOnce(const std::string& configPath, const LanguageFile& language,
                               QSystemTrayIcon* tray, Prompter& prompter);
};

}  // namespace vorbix
