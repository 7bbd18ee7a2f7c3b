#include "shell/mainwindow/NavigationTabs.h"

#include "components/DesignStyle.h"
#include "components/LinkLabel.h"
#include "components/Shape.h"
#include "shell/common/Artwork.h"
#include "shell/mainwindow/MainColors.h"
#include "storage/LanguageFile.h"

namespace vorbix {

namespace {

// Designed rectangles are given in the main window's coordinates.
QRect inTabs(QRect r) {
    return r.translated(-NavigationTabs::kDesign.topLeft());
}

}  // namespace

NavigationTabs::NavigationTabs(QWidget* parent, const Artwork& art, int ppi)
    : QWidget(parent), layout_(ppi, kDesign.size()) {
    auto link = [this](QRect r) {
        auto* l = new TLinkLabel(this);
        layout_.place(l, inTabs(r));
        l->setFont(designFont("Trebuchet MS", 19));
        return l;
    };
    auto image = [&](QRect r, const char* file) {
        auto* im = new TLinkLabel(this, false);
        layout_.place(im, inTabs(r));
        im->setPixmap(art.icon("", file).pixmap(layout_.scale(r.size())));
        return im;
    };
    Shape3 = new TShape(this);
    layout_.place(Shape3, inTabs({21, 39, 180, 34}));
    Image2 = image({33, 44, 24, 24}, "Welcome.svg");
    NaviWelcome = link({67, 42, 130, 26});
    NaviWelcome->setPartner(Image2);
    Image7 = image({220, 44, 24, 24}, "HotKeys.svg");
    NaviMyHotKeys = link({256, 42, 150, 26});
    NaviMyHotKeys->setPartner(Image7);
    Shape7 = new TShape(this);
    layout_.place(Shape7, inTabs({188, 72, 199, 2}));
    for (TLinkLabel* l : {Image2, NaviWelcome}) {
        connect(l, &TLinkLabel::clicked, this, &NavigationTabs::welcomeClicked);
    }
    for (TLinkLabel* l : {Image7, NaviMyHotKeys}) {
        connect(l, &TLinkLabel::clicked, this, &NavigationTabs::myHotKeysClicked);
    }
    Shape3->lower();
}

void NavigationTabs::showWelcome() {
    layout_.replace(Shape3, inTabs({21, 39, 180, 34}));
    Shape7->hide();
}

void NavigationTabs::showMyHotKeys() {
    layout_.replace(Shape3, inTabs({208, 39, 201, 34}));
    layout_.replace(Shape7, inTabs({209, 72, 199, 2}));
    Shape7->show();
    Shape7->raise();
}

void NavigationTabs::SetLanguage(const LanguageFile& file, std::string_view section) {
    NaviWelcome->setText(QString::fromStdString(file.text(section, "NaviWelcome")));
    NaviMyHotKeys->setText(QString::fromStdString(file.text(section, "NaviMyHotKeys")));
}

void NavigationTabs::applyColors(const MainColors& c) {
    Shape3->setColors(c.panel, c.frame);
    Shape7->setColors(c.panel, c.panel);
    for (TLinkLabel* l : {NaviWelcome, NaviMyHotKeys}) {
        l->setHoverColor(kHoverColor);
        l->setRestColor(c.text);
    }
}

}  // namespace vorbix
