// The strip at the top of the main window: the menu bar, the two language flags and the help
// icon on a panel in the scheme's colours.
#pragma once

#include <QWidget>

#include "components/AnchorLayout.h"

class QMenuBar;

namespace vorbix {

class Artwork;
class TLinkLabel;
class TShape;
struct MainColors;

class TopStrip : public QWidget {
    Q_OBJECT
public:
    // Design rectangle in the main window.
    static constexpr QRect kDesign{0, 0, 807, 25};

    TopStrip(QWidget* parent, const Artwork& art, int ppi);
    QMenuBar* menuBar() const { return XPMenuBar1; }
    void applyColors(const MainColors& colors);

signals:
    void germanClicked();
    void englishClicked();
    void helpClicked();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    AnchorLayout layout_;
    AnchorLayout panelLayout_;
    TShape *Shape1 = nullptr, *Shape10 = nullptr;
    QWidget* MenuPanel = nullptr;
    QMenuBar* XPMenuBar1 = nullptr;
    TLinkLabel *ImageGerman = nullptr, *ImageEnglish = nullptr, *ImageHelp = nullptr;
};

}  // namespace vorbix
