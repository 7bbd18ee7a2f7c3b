// Starting the program with the desktop session: the XDG autostart entry
// $XDG_CONFIG_HOME/autostart/vorbix.desktop (by default ~/.config/autostart/). Its Exec line
// carries what the Windows version keeps in the Run value "VBX": the program's path, or the
// quoted path followed by " hide". The functions speak in that value, so the settings dialog
// keeps one set of rules for both systems.
#pragma once

#include <optional>
#include <string>

#include "storage/AtomicFile.h"

namespace vorbix {

// The autostart entry of the current user.
std::string autostartFilePath();

// The value the entry stands for: nullopt when there is no entry, or one that is switched off
// (Hidden=true, X-GNOME-Autostart-enabled=false) or starts nothing; the program's path when the
// Exec line names only the program; else the path in double quotes, a blank and the arguments
// ("\"/usr/bin/vorbix\" hide").
std::optional<std::string> readAutostartValue(const std::string& file = autostartFilePath());

// Writes the entry for a value of the form above (a quoted path and arguments, or an unquoted
// path on its own, which may contain blanks); nullopt removes the entry. The Exec line is
// quoted as desktop entries require, so paths with blanks, quotes or "%" start correctly.
FileResult writeAutostartValue(const std::optional<std::string>& value,
                               const std::string& file = autostartFilePath());

}  // namespace vorbix
