// The hot key page of the main window: the capture field and the action box with "Add", the
// list of the table (a view of HotKeyTableModel; its selection model is the one selection), the
// two move buttons and the suggestion link. The page reports what the user asks for; the main
// window runs the commands.
#pragma once

#include <QWidget>
#include <string_view>

#include "components/AnchorLayout.h"
#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"

class QComboBox;
class QLabel;
class QTreeView;

namespace vorbix {

class Artwork;
class HotKeyTableModel;
class KeyNameSource;
class LanguageFile;
class THotkeyEx;
class TLinkLabel;
class TShape;
struct MainColors;

class HotKeyPage : public QWidget {
    Q_OBJECT
public:
    static constexpr QRect kDesign{21, 72, 765, 420};

    HotKeyPage(QWidget* parent, const Artwork& art, int ppi, const KeyNameSource* keyNames,
               HotKeyTableModel* model);

    QTreeView* list() const { return ListView1; }
    QComboBox* actionBox() const { return ComboBox1; }
    THotkeyEx* hotkeyField() const { return Hotkey1; }
    TLinkLabel* addLabel() const { return LabelAddHotKey; }
    TLinkLabel* addImage() const { return Image4; }

    // The selected row, -1 for none.
    int selectedRow() const;
    void selectRow(int row);

    // The labels, and the action box with the 33 captions of `texts` (the first one selected);
    // the action column fits the captions of every language in `languages`.
    void SetLanguage(const LanguageFile& file, std::string_view section, const LanguageTexts& texts,
                     const LanguageCatalogue& languages);
    void applyColors(const MainColors& colors);
    void setImprovementVisible(bool visible);
    // The action box starts at its first entry.
    void resetActionBox();

signals:
    void addRequested();
    void editRequested();
    void moveUpRequested();
    void moveDownRequested();
    void adviceClicked();
    void selectionChanged(int row);
    // The list's context menu, at a global position.
    void listMenuRequested(const QPoint& globalPos);
    // The capture field's context menu (the tray menu), at a global position.
    void fieldMenuRequested(const QPoint& globalPos);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The action column and the action box's list as wide as the longest caption needs.
    void fitActionCaptions(const LanguageCatalogue& languages);

    const Artwork& art_;
    AnchorLayout layout_;
    TShape* Shape5 = nullptr;
    QLabel *LabelHotKey = nullptr, *LabelAction = nullptr;
    QWidget* HotKeyPanel = nullptr;
    THotkeyEx* Hotkey1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    TLinkLabel *Image4 = nullptr, *LabelAddHotKey = nullptr;
    QTreeView* ListView1 = nullptr;
    TLinkLabel *ButtonUp = nullptr, *ButtonDown = nullptr;
    TLinkLabel *Image8 = nullptr, *LabelAdvice = nullptr;
};

}  // namespace vorbix
