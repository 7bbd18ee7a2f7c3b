#include "components/DesignStyle.h"

#include <QApplication>

namespace vorbix {

QFont designFont(const char* family, int pixelSize, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QPalette desktopPalette() {
    QPalette p = QApplication::palette();
    p.setResolveMask(~QPalette::ResolveMask(0));
    return p;
}

QColor toQColor(ColorValue c, const QPalette& palette) {
    if (isSystemColor(c)) {
        switch (systemColorNumber(c)) {
            case 5:
                return palette.color(QPalette::Base);
            case 8:
            case 7:
            case 18:
                return palette.color(QPalette::WindowText);
            case 13:
                return palette.color(QPalette::Highlight);
            case 14:
                return palette.color(QPalette::HighlightedText);
            case 16:
                return palette.color(QPalette::Dark);
            case 20:
                return palette.color(QPalette::Light);
            default:
                return palette.color(QPalette::Button);
        }
    }
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace vorbix
