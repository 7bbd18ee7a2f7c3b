// The program's pictures: icons from the desktop's icon theme by their standard names where one
// fits, with our own SVG files below the program folder ("Images/") standing in.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace vorbix {

class Artwork {
public:
    explicit Artwork(std::string programFolder) : programFolder_(std::move(programFolder)) {}
    // The theme icon `themeName` (when not empty and present), else Images/<file>.
    QIcon icon(const char* themeName, const char* file) const;
    QPixmap pixmap(const char* file, QSize size) const;
    // The image of an action kind (0 to 32) in the list and the action box.
    QIcon actionIcon(int kind) const;
    // The tray icon for the activation state: Images/Tray1.ico or Tray2.ico; a drawn one when
    // the file is missing or unreadable, so the presentation always follows the state.
    QIcon trayIcon(bool active) const;
    static QIcon builtinTrayIcon(bool active);
    std::string imagePath(const char* file) const;

private:
    std::string programFolder_;
};

}  // namespace vorbix
