// The strip at the bottom of the main window: how many rows do not work, the row count and the
// activation switch (icon and label; a click on either switches all hot keys off or on).
#pragma once

#include <QWidget>
#include <string>
#include <string_view>

#include "components/AnchorLayout.h"

class QLabel;

namespace vorbix {

class Artwork;
class LanguageFile;
class TLinkLabel;
class TShape;
struct MainColors;

class StatusStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr QRect kDesign{0, 508, 807, 24};

    StatusStrip(QWidget* parent, const Artwork& art, int ppi);

    void setCount(size_t rows);
    // How many rows do not work, with a warning mark; nothing while all work.
    void setProblemRows(size_t rows);
    // The icon and the label show the activation state.
    void setActive(bool active);
    // The label keeps the state it shows, in the new language.
    void SetLanguage(const LanguageFile& file, std::string_view section);
    void applyColors(const MainColors& colors);

    QLabel* countLabel() const { return StatusbarLabel1; }
    QLabel* problemLabel() const { return LabelProblems; }
    QString activationText() const;
    bool activeIconShown() const;

signals:
    void activationClicked();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void showProblems();
    // Makes room for the longer activation word of the language.
    void fitActivationText();
    AnchorLayout layout_;
    TShape *Shape2 = nullptr, *Shape6 = nullptr;
    QLabel* StatusbarLabel1 = nullptr;
    TLinkLabel *Image5 = nullptr, *Image6 = nullptr, *LabelDeactivated = nullptr;
    std::string labelActivated_, labelDeactivated_;
    // The rows that do not work: a mark just left of the right-aligned text.
    QLabel *ImageProblems = nullptr, *LabelProblems = nullptr;
    std::string problemsText_ = "%d";
    size_t problemRows_ = 0;
};

}  // namespace vorbix
