#include "shell/mainwindow/TopStrip.h"

#include <QMenuBar>

#include "components/DesignStyle.h"
#include "components/LinkLabel.h"
#include "components/Shape.h"
#include "shell/common/Artwork.h"
#include "shell/mainwindow/MainColors.h"

namespace vorbix {

using A = AnchorLayout;

TopStrip::TopStrip(QWidget* parent, const Artwork& art, int ppi)
    : QWidget(parent), layout_(ppi, kDesign.size()), panelLayout_(ppi, QSize(805, 23)) {
    Shape1 = new TShape(this);
    layout_.place(Shape1, {0, 0, 807, 25}, A::L | A::T | A::R);
    MenuPanel = new QWidget(this);
    MenuPanel->setAutoFillBackground(true);
    layout_.place(MenuPanel, {1, 1, 805, 23}, A::L | A::T | A::R);
    XPMenuBar1 = new QMenuBar(MenuPanel);
    XPMenuBar1->setNativeMenuBar(false);
    // Its own font: a style sheet set again later would drop the one inherited from the window.
    XPMenuBar1->setFont(designFont("Tahoma", 13));
    panelLayout_.place(XPMenuBar1, {-1, 0, 322, 23});
    auto image = [&](QRect r, const char* file, int anchors, const char* theme) {
        auto* im = new TLinkLabel(MenuPanel, false);
        panelLayout_.place(im, r, anchors);
        im->setIcon(art.icon(theme, file), panelLayout_.scale(r.size()));
        return im;
    };
    ImageGerman = image({718, 5, 18, 12}, "FlagGerman.svg", A::L | A::T, "");
    ImageGerman->setToolTip(QStringLiteral("Deutsch"));
    ImageEnglish = image({743, 5, 18, 12}, "FlagEnglish.svg", A::L | A::T, "");
    ImageEnglish->setToolTip(QStringLiteral("English"));
    Shape10 = new TShape(MenuPanel);
    panelLayout_.place(Shape10, {771, 3, 1, 16});
    Shape10->setColors(QColor(0x2D, 0x2D, 0x2D), QColor(0x2D, 0x2D, 0x2D));
    ImageHelp = image({781, 3, 16, 16}, "Help.svg", A::T | A::R, "help-browser");
    connect(ImageGerman, &TLinkLabel::clicked, this, &TopStrip::germanClicked);
    connect(ImageEnglish, &TLinkLabel::clicked, this, &TopStrip::englishClicked);
    connect(ImageHelp, &TLinkLabel::clicked, this, &TopStrip::helpClicked);
    Shape1->lower();
}

void TopStrip::applyColors(const MainColors& c) {
    Shape1->setColors(c.panel, c.frame);
    QPalette panel = MenuPanel->palette();
    panel.setColor(QPalette::Window, c.panel);
    panel.setColor(QPalette::WindowText, c.text);
    MenuPanel->setPalette(panel);
    const QString sheet =
        QStringLiteral(
            "QMenuBar { background: %1; color: %2; }"
            "QMenuBar::item { background: transparent; padding: 3px 8px; }"
            "QMenuBar::item:selected { color: %3; }"
            "QMenuBar::item:pressed { background: %4; color: %3; }")
            .arg(c.panel.name(), c.text.name(), kHoverColor.name(), c.frame.name());
    if (XPMenuBar1->styleSheet() == sheet) return;
    XPMenuBar1->setStyleSheet(sheet);
    // A menu bar that gets a new style stretches itself over its parent at its own height; it
    // goes back to its designed place.
    panelLayout_.relayout(MenuPanel, MenuPanel->size());
}

void TopStrip::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_.relayout(this, size());
    panelLayout_.relayout(MenuPanel, MenuPanel->size());
}

}  // namespace vorbix
