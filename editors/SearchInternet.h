// TSearchInternet: the window the internet search action shows. The user types a term and
// confirms it with Enter or the box's button; the window hides and opens the provider's search
// address once. Esc, the close button and the close box hide it without searching. It is no
// editor and no child of the main window: it comes to the front over whatever has the focus,
// also while the main window is hidden in the tray.
#pragma once

#include <QAction>
#include <functional>
#include <string>

#include "components/FramedDialog.h"
#include "components/Translatable.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorbix {

class EditorHost;

class TSearchInternet : public FramedDialog, public Translatable {
    Q_OBJECT
public:
    // `open` opens an address with the desktop's handler for web addresses.
    using Opener = std::function<void(const std::string& address)>;
    TSearchInternet(EditorHost& host, const QIcon& icon, Opener open);

    // Once after construction: the texts of the current language.
    void FormCreate();
    void SetLanguage(const std::string& section) override;

    // The provider a row names (a row never edited, or naming no provider, searches with the
    // first one); the title names it.
    void setProvider(const std::string& name);
    const std::string& provider() const { return provider_; }
    // Shows the window for the provider: the box emptied and focused, the window in front.
    void FormShow(const std::string& providerName);
    // Hides the window and opens the search address of the term in the box.
    void RunSearch();

    QLineEdit* searchBox() const { return EditSearch; }
    QAction* searchButton() const { return searchAction_; }
    QPushButton* closeButton() const { return ButtonClose; }
    QLabel* header() const { return LabelHeader; }

private:
    EditorHost& host_;
    Opener open_;
    std::string provider_;
    QString sLabelHeader;
    QLabel* Image1 = nullptr;
    QLabel* LabelHeader = nullptr;
    QLabel* LabelSearchInternet1 = nullptr;
    QLineEdit* EditSearch = nullptr;
    QAction* searchAction_ = nullptr;
    QPushButton* ButtonClose = nullptr;
};

}  // namespace vorbix
