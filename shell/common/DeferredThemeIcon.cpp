#include "shell/common/DeferredThemeIcon.h"

#include <QFile>
#include <QPainter>

namespace vorbix {

DeferredThemeIcon::DeferredThemeIcon(QString themeName, QString fallbackFile)
    : themeName_(std::move(themeName)), fallbackFile_(std::move(fallbackFile)) {}

const QIcon& DeferredThemeIcon::icon() {
    if (!icon_) {
        icon_ =
            QIcon::hasThemeIcon(themeName_) ? QIcon::fromTheme(themeName_) : QIcon(fallbackFile_);
    }
    return *icon_;
}

void DeferredThemeIcon::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DeferredThemeIcon::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return icon().pixmap(size, mode, state);
}

QPixmap DeferredThemeIcon::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                        qreal scale) {
    return icon().pixmap(size, scale, mode, state);
}

QSize DeferredThemeIcon::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return icon().actualSize(size, mode, state);
}

QList<QSize> DeferredThemeIcon::availableSizes(QIcon::Mode mode, QIcon::State state) {
    return icon().availableSizes(mode, state);
}

QString DeferredThemeIcon::iconName() {
    return icon().name();
}

bool DeferredThemeIcon::isNull() {
    // With our own picture there, the icon has a picture whatever the theme holds.
    if (!icon_ && QFile::exists(fallbackFile_)) return false;
    return icon().isNull();
}

QString DeferredThemeIcon::key() const {
    return QStringLiteral("DeferredThemeIcon");
}

QIconEngine* DeferredThemeIcon::clone() const {
    auto* copy = new DeferredThemeIcon(themeName_, fallbackFile_);
    copy->icon_ = icon_;
    return copy;
}

}  // namespace vorbix
