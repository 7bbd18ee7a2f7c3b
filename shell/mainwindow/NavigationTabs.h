// The two navigation tabs of the main window ("Willkommen", "Meine Hot Keys"): the tab shape
// lies behind the current page's label, and a bar joins it to the hot key page.
#pragma once

#include <QWidget>
#include <string_view>

#include "components/AnchorLayout.h"

namespace vorbix {

class Artwork;
class LanguageFile;
class TLinkLabel;
class TShape;
struct MainColors;

class NavigationTabs : public QWidget {
    Q_OBJECT
public:
    // Design rectangle in the main window; it reaches over the pages' top edge by two pixels.
    static constexpr QRect kDesign{21, 39, 388, 35};

    NavigationTabs(QWidget* parent, const Artwork& art, int ppi);
    void showWelcome();
    void showMyHotKeys();
    void SetLanguage(const LanguageFile& file, std::string_view section);
    void applyColors(const MainColors& colors);

signals:
    void welcomeClicked();
    void myHotKeysClicked();

private:
    AnchorLayout layout_;
    TShape *Shape3 = nullptr, *Shape7 = nullptr;
    TLinkLabel *Image2 = nullptr, *NaviWelcome = nullptr, *Image7 = nullptr,
               *NaviMyHotKeys = nullptr;
};

}  // namespace vorbix
