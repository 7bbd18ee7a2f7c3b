// An icon of the desktop's icon theme, with a picture of our own where the theme has none, that
// looks into the theme only when it is first drawn or asked about. Reading the theme costs
// milliseconds; the action list, the menus and the tray menu hold many such icons, and a start
// hidden in the tray draws none of them.
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <optional>

namespace vorbix {

class DeferredThemeIcon : public QIconEngine {
public:
    DeferredThemeIcon(QString themeName, QString fallbackFile);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override;
    bool isNull() override;
    QString key() const override;
    QIconEngine* clone() const override;

private:
    // The theme's icon when the theme has one, else the picture; made on the first call.
    const QIcon& icon();

    QString themeName_;
    QString fallbackFile_;
    std::optional<QIcon> icon_;
};

}  // namespace vorbix
