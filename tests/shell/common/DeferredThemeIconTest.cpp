// Icons of the desktop's icon theme with a picture of our own: the theme decides when it has the
// icon, our picture otherwise, and a label draws either only once it is shown.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "components/LinkLabel.h"
#include "shell/common/DeferredThemeIcon.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

QString writePng(const QString& path, QColor colour) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

QColor colourOf(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage().pixelColor(8, 8);
}

TEST(DeferredThemeIcon, TheThemeDecidesWhereItHasTheIconOurPictureElsewhere) {
    test::offscreenApp();
    QTemporaryDir dir;
    const QString theme = dir.path() + "/icons/testtheme";
    QDir().mkpath(theme);
    QFile index(theme + "/index.theme");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=testtheme\nDirectories=16x16/apps\n\n"
        "[16x16/apps]\nSize=16\nType=Fixed\n");
    index.close();
    writePng(theme + "/16x16/apps/vorbix-test-themed.png", Qt::red);
    const QString own = writePng(dir.path() + "/own.png", Qt::blue);
    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({dir.path() + "/icons"});
    QIcon::setThemeName(QStringLiteral("testtheme"));

    const QIcon themed(new DeferredThemeIcon("vorbix-test-themed", own));
    const QIcon missing(new DeferredThemeIcon("vorbix-test-missing", own));
    const QIcon nothing(new DeferredThemeIcon("vorbix-test-missing", dir.path() + "/none.png"));
    EXPECT_FALSE(themed.isNull());
    EXPECT_FALSE(missing.isNull());
    EXPECT_EQ(colourOf(themed), QColor(Qt::red));
    EXPECT_EQ(colourOf(missing), QColor(Qt::blue));
    EXPECT_EQ(colourOf(QIcon(themed)), QColor(Qt::red));  // copies draw the same
    EXPECT_TRUE(nothing.pixmap(QSize(16, 16)).isNull());

    // A label takes the picture when it is shown, not before.
    QWidget window;
    auto* label = new TLinkLabel(&window, false);
    label->setIcon(missing, QSize(16, 16));
    EXPECT_TRUE(label->pixmap().isNull());
    window.show();
    EXPECT_EQ(label->pixmap().toImage().pixelColor(8, 8), QColor(Qt::blue));

    QIcon::setThemeName(oldTheme);
    QIcon::setThemeSearchPaths(oldPaths);
}

}  // namespace
}  // namespace vorbix
