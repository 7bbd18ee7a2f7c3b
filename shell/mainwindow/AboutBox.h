// TAbout: the about box of the help menu. The product's name, a line about it, a link to the
// product's web page in the current language, and the version. Window-modal to the main window,
// created on first use, translated with every other window.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "components/AnchorLayout.h"
#include "components/Translatable.h"

class QLabel;

namespace vorbix {

class Artwork;
class TLinkLabel;

class TAbout : public QDialog, public Translatable {
    Q_OBJECT
public:
    // `openPage` opens an address in the user's browser.
    TAbout(QWidget* parent, const LanguageSource& language, const Artwork& art, int ppi,
           std::function<void(const std::string& url)> openPage);

    // Runs once after construction: the texts of the current language.
    void FormCreate();
    // Shows the box, centred on the screen (returns at once).
    void FormShow();
    void SetLanguage(const std::string& section) override;
    // The link: the product's web page for the current language.
    void LabelAbout4Click();

    TLinkLabel* link() const { return LabelAbout4; }
    QLabel* versionLabel() const { return LabelAbout6; }

private:
    const LanguageSource& language_;
    std::function<void(const std::string&)> openPage_;
    AnchorLayout layout_;
    QLabel *ImageLeft = nullptr, *ImageLogo = nullptr;
    QLabel *LabelAbout1 = nullptr, *LabelAbout2 = nullptr, *LabelAbout3 = nullptr,
           *LabelAbout6 = nullptr;
    TLinkLabel* LabelAbout4 = nullptr;
};

}  // namespace vorbix
