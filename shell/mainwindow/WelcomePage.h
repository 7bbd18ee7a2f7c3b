// The welcome page of the main window: the logo, the greeting with its four points, the closing
// line, and the box that keeps the page from being shown at start.
#pragma once

#include <QWidget>
#include <string_view>

#include "components/AnchorLayout.h"

class QCheckBox;
class QLabel;

namespace vorbix {

class Artwork;
class LanguageFile;
class TLinkLabel;
class TShape;
struct MainColors;

class WelcomePage : public QWidget {
    Q_OBJECT
public:
    static constexpr QRect kDesign{21, 72, 765, 420};

    WelcomePage(QWidget* parent, const Artwork& art, int ppi);

    void SetLanguage(const LanguageFile& file, std::string_view section, bool german);
    void applyColors(const MainColors& colors);

    bool choiceTicked() const;
    void setChoiceTicked(bool ticked);
    void setChoiceEnabled(bool enabled);
    QCheckBox* choiceBox() const { return CheckBox1; }

    // The points keep their designed tops unless the text above them wraps into more lines.
    void placePoints();
    // The closing line keeps its designed distance to the window's right edge, which differs
    // between the languages.
    void placeClosingLine();

signals:
    // The user ticked or cleared the box (or clicked its label).
    void choiceChanged();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    AnchorLayout layout_;
    bool german_ = true;
    TShape *Shape4 = nullptr, *Shape8 = nullptr, *Shape9 = nullptr;
    QLabel *Title1 = nullptr, *LabelWelcome1 = nullptr, *LabelWelcome2 = nullptr,
           *LabelWelcome3 = nullptr, *LabelWelcome4 = nullptr, *LabelWelcome5 = nullptr,
           *LabelWelcome6 = nullptr, *LabelWelcome7 = nullptr;
    QLabel *LabelArrow1 = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    TLinkLabel* LabelWelcome8 = nullptr;
};

}  // namespace vorbix
