// The base of every property editor: the frame and header, OK and Cancel, the designed and
// minimum client sizes scaled for the screen, the language (SetLanguage at creation and on every
// change of language), FormShow from the row, OK writing the row and saving the whole hot key
// file, Cancel, Esc and the close box writing nothing.
//
// An editor is a window-modal dialog of the main window, opened without a nested event loop, so
// hot keys, the tray and the session end go on working while it is open. It works on a
// persistent index of the table model: a row moved meanwhile is still the row written, a row
// deleted meanwhile closes the editor without writing anything.
#pragma once

#include <QPersistentModelIndex>
#include <functional>
#include <string>
#include <string_view>

#include "components/FramedDialog.h"
#include "components/Translatable.h"
#include "core/HotKeyTable.h"

class QLabel;
class QPushButton;

namespace vorbix {

class EditorHost;

class EditorDialog : public FramedDialog, public Translatable {
    Q_OBJECT
public:
    struct Design {
        std::string_view section;  // the editor's section of the language files
        QSize client;              // designed client size at 96 pixels per inch
        QSize minimumClient;       // the smallest client size at 96 pixels per inch
        bool maximizable = false;
    };

    EditorDialog(QWidget* parent, EditorHost& host, const Design& design, const QIcon& icon);

    // Runs once after construction: the texts of the current language.
    void FormCreate();
    // Shows the editor for `row` (window-modal, returns at once); false when the row is gone.
    bool openFor(const QPersistentModelIndex& row);
    // Closes without writing anything.
    void closeWithoutWriting();

    void SetLanguage(const std::string& section) override;
    const std::string& section() const { return section_; }
    QPushButton* saveButton() const { return ButtonSave; }
    QPushButton* cancelButton() const { return ButtonCancel; }
    const QPersistentModelIndex& currentRow() const { return row_; }

protected:
    // The editor's own keys of its section.
    virtual void setLanguageTexts(const LanguageFile& file, std::string_view section) = 0;
    // Sets every control from the row; a control the row gives no value takes its default.
    virtual void FormShow(const HotKeyEntry& row) = 0;
    // Builds the row's new values from the controls.
    virtual void encode(HotKeyEntry& row) = 0;
    virtual bool okAvailable() const { return true; }
    // Checks the input before anything is written and runs `accepted` when it passes, perhaps
    // later, after a question to the user; without a call the editor stays open.
    virtual void checkInput(const std::function<void()>& accepted) { accepted(); }
    // Enables OK as okAvailable() says; editors call it when a control changes.
    void updateOkButton();
    // The header's title and icon, for an editor whose header follows the row it shows.
    void setHeader(const QString& title, const QIcon& icon);
    // The header icon at another designed place and size than the common 24 x 24 at (20, 18).
    void placeHeaderIcon(const QIcon& icon, QRect design);

    EditorHost& host() { return host_; }
    AnchorLayout& layout() { return layout_; }
    int scale(int value) const { return layout_.scale(value); }

    // Places the window before it is shown: centred on the main window's screen.
    virtual void placeOnScreen();

private:
    void ButtonSaveClick();
    // Writes the row from the controls and closes; a failed write keeps the editor open.
    void writeAndClose();
    void watchRows(const QAbstractItemModel* model);

    EditorHost& host_;
    std::string section_;
    QPersistentModelIndex row_;
    const QAbstractItemModel* watched_ = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* LabelHeader = nullptr;
    QPushButton* ButtonSave = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

}  // namespace vorbix
