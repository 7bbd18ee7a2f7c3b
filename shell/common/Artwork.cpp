#include "shell/common/Artwork.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include "shell/common/DeferredThemeIcon.h"

namespace vorbix {

namespace {

struct ActionArt {
    const char* theme;
    const char* file;
};

// Theme names of the freedesktop icon naming rules, and our own pictures.
constexpr ActionArt kActionArt[33] = {
    {"", "Actions/minimize"},                            // 0 minimise all
    {"window-close", "Actions/close-all"},               // 1 close all windows
    {"", "Actions/hide"},                                // 2 hide windows
    {"", "Actions/show"},                                // 3 show windows
    {"", "Actions/program"},                             // 4 program or folder
    {"edit-copy", "Actions/copy"},                       // 5
    {"edit-paste", "Actions/paste"},                     // 6
    {"edit-cut", "Actions/cut"},                         // 7
    {"media-eject", "Actions/drive"},                    // 8
    {"", "Actions/keys"},                                // 9 simulate keys
    {"", "Actions/text"},                                // 10 insert text
    {"audio-volume-high", "Actions/volume"},             // 11
    {"", "Actions/media"},                               // 12
    {"", "Actions/browser-control"},                     // 13
    {"edit-find", "Actions/search"},                     // 14
    {"internet-mail", "Actions/mail"},                   // 15
    {"web-browser", "Actions/browser"},                  // 16
    {"", "Actions/date"},                                // 17
    {"utilities-terminal", "Actions/terminal"},          // 18
    {"", "Actions/close-program"},                       // 19
    {"folder-new", "Actions/new-folder"},                // 20
    {"", "Actions/website"},                             // 21
    {"system-shutdown", "Actions/shutdown"},             // 22
    {"system-reboot", "Actions/restart"},                // 23
    {"system-log-out", "Actions/logoff"},                // 24
    {"", "Actions/standby"},                             // 25
    {"preferences-system", "Actions/control-panel"},     // 26
    {"preferences-desktop-display", "Actions/display"},  // 27
    {"", "Actions/date"},                                // 28
    {"preferences-desktop-locale", "Actions/region"},    // 29
    {"", "Actions/volume"},                              // 30
    {"system-software-install", "Actions/software"},     // 31
    {"", "Actions/system"},                              // 32
};

}  // namespace

std::string Artwork::imagePath(const char* file) const {
    return programFolder_ + "Images/" + file;
}

QIcon Artwork::icon(const char* themeName, const char* file) const {
    const QString path = QString::fromStdString(imagePath(file));
    if (!themeName || !*themeName) return QIcon(path);
    return QIcon(new DeferredThemeIcon(QString::fromLatin1(themeName), path));
}

QPixmap Artwork::pixmap(const char* file, QSize size) const {
    return QIcon(QString::fromStdString(imagePath(file))).pixmap(size);
}

QIcon Artwork::actionIcon(int kind) const {
    if (kind < 0 || kind >= 33) return {};
    const std::string file = std::string(kActionArt[kind].file) + ".svg";
    return icon(kActionArt[kind].theme, file.c_str());
}

QIcon Artwork::trayIcon(bool active) const {
    const QString path = QString::fromStdString(imagePath(active ? "Tray1.ico" : "Tray2.ico"));
    if (QFile::exists(path)) {
        QIcon fromFile(path);
        if (!fromFile.availableSizes().isEmpty()) return fromFile;
    }
    return builtinTrayIcon(active);
}

QIcon Artwork::builtinTrayIcon(bool active) {
    QIcon result;
    for (int size : {16, 22, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
        p.setPen(QPen(QColor(0x1F, 0x1F, 0x1F), 1));
        p.setBrush(active ? QColor(0x2E, 0x7D, 0xD8) : QColor(0x80, 0x80, 0x80));
        p.drawRoundedRect(r, size / 5.0, size / 5.0);
        QPainterPath v;
        v.moveTo(size * 0.25, size * 0.28);
        v.lineTo(size * 0.5, size * 0.74);
        v.lineTo(size * 0.75, size * 0.28);
        p.setPen(
            QPen(Qt::white, qMax(1.5, size / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
        result.addPixmap(pm);
    }
    return result;
}

}  // namespace vorbix
